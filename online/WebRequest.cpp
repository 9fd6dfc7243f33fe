#include "online/WebRequest.h"

#include "engine/Log.h"
#include "online/QueryCodes.h"
#include "platform/Random.h"

#include <memory>

namespace WebRequest {

namespace {

std::string g_response;
int g_abortFlag = 0;
long g_totalTimeoutMs = DEFAULT_TOTAL_TIMEOUT_MS;
Transport g_testTransport;

struct EasyHandleCleanup {
    void operator()(CURL* handle) const { curl_easy_cleanup(handle); }
};
using EasyHandle = std::unique_ptr<CURL, EasyHandleCleanup>;

bool setOptions(CURL* handle, const std::string& url)
{
    // Signals would disturb the game; the resolver then ignores the time-out,
    // which the total limit still bounds.
    return curl_easy_setopt(handle, CURLOPT_NOSIGNAL, 1L) == CURLE_OK
        && curl_easy_setopt(handle, CURLOPT_CONNECTTIMEOUT_MS, CONNECT_TIMEOUT_MS) == CURLE_OK
        && curl_easy_setopt(handle, CURLOPT_TIMEOUT_MS, g_totalTimeoutMs) == CURLE_OK
        && curl_easy_setopt(handle, CURLOPT_URL, url.c_str()) == CURLE_OK
        && curl_easy_setopt(handle, CURLOPT_PROTOCOLS_STR, "http,https") == CURLE_OK
        && curl_easy_setopt(handle, CURLOPT_NOPROGRESS, 0L) == CURLE_OK
        && curl_easy_setopt(handle, CURLOPT_XFERINFOFUNCTION, &ProgressCallback) == CURLE_OK
        && curl_easy_setopt(handle, CURLOPT_WRITEFUNCTION, &WriteCallback) == CURLE_OK
        && curl_easy_setopt(handle, CURLOPT_WRITEDATA, &g_response) == CURLE_OK;
}

} // namespace

bool Get(std::string address, std::string query)
{
    std::string url = address + "?" + BuildQuery(query);
    g_response.clear();
    if (g_testTransport)
        return g_testTransport(address, query, g_response);
    EasyHandle handle(curl_easy_init());
    if (!handle || !setOptions(handle.get(), url))
        return false;
    CURLcode result = curl_easy_perform(handle.get());
    if (result != CURLE_OK) {
        logError(false, "Unable to connect online (error:%i)\n", static_cast<int>(result));
        return false;
    }
    return true;
}

void SetTransportForTesting(Transport transport)
{
    g_testTransport = std::move(transport);
}

std::string GetResponse()
{
    return g_response;
}

std::string BuildQuery(std::string plainQuery)
{
    using namespace QueryCodes;
    std::string text = "r=" + intToString(gameRand()) + "&" + plainQuery;
    return reverseString(packPairs(encodeQuery(appendChecksum(text))));
}

void SetTotalTimeout(long milliseconds)
{
    g_totalTimeoutMs = milliseconds;
}

void SetAbortFlag(int flag)
{
    g_abortFlag = flag;
}

int ProgressCallback(void*, curl_off_t, curl_off_t, curl_off_t, curl_off_t)
{
    return g_abortFlag;
}

size_t WriteCallback(char* data, size_t size, size_t count, void* target)
{
    auto* text = static_cast<std::string*>(target);
    if (!text || (count != 0 && size > RESPONSE_CAP / count))
        return 0;
    size_t bytes = size * count;
    if (bytes > RESPONSE_CAP - text->size())
        return 0;
    text->append(data, bytes);
    return bytes;
}

} // namespace WebRequest
