#include "engine/Log.h"
#include "online/FakeScoreServer.h"
#include "online/WebRequest.h"
#include "platform/Folders.h"

#include <gtest/gtest.h>

#include <cstdint>

using corvelle_test::FakeScoreServer;

namespace {

class WebRequestTest : public testing::Test
{
protected:
    void SetUp() override
    {
        initDirectories();
        initLogChannels(false);
        WebRequest::SetTotalTimeout(5000);
    }

    void TearDown() override
    {
        WebRequest::SetTotalTimeout(WebRequest::DEFAULT_TOTAL_TIMEOUT_MS);
        WebRequest::SetAbortFlag(0);
    }

    // Sends a request to the server and returns the log it wrote.
    std::string get(const std::string& base, bool expected)
    {
        testing::internal::CaptureStdout();
        EXPECT_EQ(WebRequest::Get(base + "vgscores.php", "op=downloadScore&user=Ada&type=0&level=1"), expected);
        return testing::internal::GetCapturedStdout();
    }

    FakeScoreServer server_;
};

} // namespace

TEST_F(WebRequestTest, WriteCallbackKeepsWithinTheCap)
{
    const size_t cap = WebRequest::RESPONSE_CAP;
    struct Case {
        size_t held;
        size_t size;
        size_t count;
        size_t taken;
    } cases[] = {
        {0, 1, 5, 5},
        {0, 5, 1, 5},
        {0, 1, 0, 0},
        {cap - 5, 1, 5, 5},
        {cap - 5, 1, 6, 0},
        {cap, 1, 1, 0},
        {0, SIZE_MAX / 2, 4, 0}, // a product that would wrap around
    };
    char data[8] = "abcdefg";
    for (const Case& c : cases) {
        std::string target(c.held, 'x');
        EXPECT_EQ(WebRequest::WriteCallback(data, c.size, c.count, &target), c.taken);
        EXPECT_EQ(target.size(), c.held + c.taken);
    }
    EXPECT_EQ(WebRequest::WriteCallback(data, 1, 5, nullptr), 0u);
}

TEST_F(WebRequestTest, ReplyUpToTheCap)
{
    std::string body = "success\n0\n" + std::string(WebRequest::RESPONSE_CAP - 10, 'z');
    server_.setCannedReply(200, body);
    EXPECT_EQ(get(server_.baseUrl(), true), "");
    EXPECT_EQ(WebRequest::GetResponse(), body);

    server_.setCannedReply(200, body + "z");
    EXPECT_EQ(get(server_.baseUrl(), false), "Unable to connect online (error:23)\n");
    EXPECT_TRUE(server_.problems().empty());
}

TEST_F(WebRequestTest, EveryRequestStartsWithAnEmptyResponse)
{
    server_.setCannedReply(500, "Internal Server Error\n");
    get(server_.baseUrl(), true);
    EXPECT_EQ(WebRequest::GetResponse(), "Internal Server Error\n");
    get(FakeScoreServer::refusingUrl(), false);
    EXPECT_EQ(WebRequest::GetResponse(), "");
}

TEST_F(WebRequestTest, AbortFlagEndsTheTransfer)
{
    server_.setBehaviour(FakeScoreServer::Behaviour::Stall);
    WebRequest::SetAbortFlag(1);
    EXPECT_EQ(get(server_.baseUrl(), false), "Unable to connect online (error:42)\n");
}
