// The score server's replies, handed to the client as the transport would
// hand them. The first byte picks the request; the rest is the reply body.

#include "fuzz/FuzzSupport.h"
#include "online/ScoreServer.h"
#include "online/WebRequest.h"

#include <string>

namespace {

std::string g_reply;

bool answer(const std::string&, const std::string&, std::string& body)
{
    body = g_reply;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzzSetUp();
    if (size < 1)
        return 0;
    WebRequest::SetTransportForTesting(answer);
    g_reply.assign(reinterpret_cast<const char*>(data + 1), size - 1);
    ScoreServer::resetTables();
    switch (data[0] % 4) {
    case 0:
        ScoreServer::RequestNewUser("fuzzer");
        ScoreServer::dumpSuggestions();
        break;
    case 1:
        ScoreServer::RequestScoreUpload("fuzzer", 0, 3, 42, 0);
        break;
    case 2:
        ScoreServer::RequestScoreDownload("fuzzer", 1, 7);
        ScoreServer::findTable(1, 7);
        break;
    default:
        ScoreServer::RequestScoreDownload("fuzzer", 2, ScoreServer::OVERALL_LEVEL);
        ScoreServer::findTable(2, ScoreServer::OVERALL_LEVEL);
        break;
    }
    ScoreServer::takeErrorMessage();
    return 0;
}
