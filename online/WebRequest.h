#pragma once

#include <curl/curl.h>

#include <cstddef>
#include <functional>
#include <string>

// The score client's transport: one blocking HTTP GET per request, the query
// scrambled so that the server can tell a genuine client (see QueryCodes.h).
namespace WebRequest {

constexpr long CONNECT_TIMEOUT_MS = 10000;
constexpr long DEFAULT_TOTAL_TIMEOUT_MS = 30000;
// A reply beyond this many bytes aborts the transfer: no score reply comes
// near it, and the main loop must not swallow whatever a broken server sends.
constexpr size_t RESPONSE_CAP = 1024 * 1024;

// Sends address + "?" + the scrambled query and collects the reply body.
// True when the transfer completed, whatever the HTTP status; false (with a
// line in the error log when the transfer itself failed) otherwise.
bool Get(std::string address, std::string query);

// The body collected by the last Get; empty at the start of every Get.
std::string GetResponse();

// "r=" random "&" query, checksummed, digit-coded, pair-packed and reversed.
std::string BuildQuery(std::string plainQuery);

// The whole transfer's time limit (connecting included); tests shorten it.
void SetTotalTimeout(long milliseconds);

// A non-zero flag makes every transfer abort at its next progress report.
void SetAbortFlag(int flag);

// Replaces HTTP for the fuzz targets: the transport gets the address and the
// plain query and fills the reply body. An empty function restores HTTP.
using Transport = std::function<bool(const std::string& address, const std::string& query, std::string& body)>;
void SetTransportForTesting(Transport transport);

// libcurl's transfer-info callback: returns the abort flag.
int ProgressCallback(void* clientData, curl_off_t downloadTotal, curl_off_t downloadNow,
                     curl_off_t uploadTotal, curl_off_t uploadNow);

// libcurl's write callback: appends the bytes to the std::string target.
// Returns 0, which ends the transfer with an error, for a null target or
// when the target would grow beyond RESPONSE_CAP.
size_t WriteCallback(char* data, size_t size, size_t count, void* target);

} // namespace WebRequest
