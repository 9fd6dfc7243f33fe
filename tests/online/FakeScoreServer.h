#pragma once

#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace corvelle_test {

// A score server for the tests: real HTTP/1.1 on 127.0.0.1 at an ephemeral
// port, served by a thread of its own from construction to destruction. It
// decodes every request, checks its fields, keeps users and boards in
// memory and answers in the reply lines the client reads; or it misbehaves
// as it is told. Every wait it makes is bounded.
class FakeScoreServer
{
public:
    enum class Behaviour {
        Serve,  // answer as a real server would
        Canned, // answer every request with the canned status and body
        Hangup, // close the connection without a word
        Stall,  // read the request, then never answer
        Drip,   // answer a byte at a time, far slower than any client waits
    };

    FakeScoreServer();
    ~FakeScoreServer();
    FakeScoreServer(const FakeScoreServer&) = delete;
    FakeScoreServer& operator=(const FakeScoreServer&) = delete;

    // "http://127.0.0.1:PORT/": the base address the client appends its script to.
    std::string baseUrl() const;
    // The base address of a loopback port nothing listens on.
    static std::string refusingUrl();

    void setBehaviour(Behaviour behaviour);
    void setCannedReply(int status, const std::string& body);
    // While serving, refuses as an unknown board every request whose
    // decoded fields contain the text ("type=2&level=99999").
    void refuseRequestsContaining(const std::string& part);

    // Seeds the server's memory as if earlier requests had been made.
    void addUser(const std::string& name);
    void addScore(const std::string& name, int type, int level, int score, int status);

    // The decoded fields of every request so far, in order.
    std::vector<std::string> requests() const;
    // Whatever was wrong with a request: an undecodable query, a wrong path,
    // misplaced or malformed fields. Empty while the client behaves.
    std::vector<std::string> problems() const;
    // The version text that came with a user's add-user request.
    std::string versionOf(const std::string& name) const;

private:
    struct Entry {
        int score;
        int status;
        long order;
    };
    using Fields = std::vector<std::pair<std::string, std::string>>;
    using Board = std::map<std::string, Entry>;

    void run();
    void serveConnection(int client);
    bool readRequest(int client, std::string& target);
    void answer(int client, const std::string& target);
    void stall(int client);
    void drip(int client);

    std::pair<int, std::string> handle(const std::string& target);
    std::string addUserReply(const Fields& fields);
    std::string uploadReply(const Fields& fields);
    std::string downloadReply(const Fields& fields);
    bool boardKey(const Fields& fields, std::string& refusal, std::pair<int, int>& key);
    std::string suggestionsFor(const std::string& name) const;
    void problem(const std::string& text);

    int listenFd_ = -1;
    int wakeFds_[2] = {-1, -1};
    int port_ = 0;
    std::thread thread_;

    mutable std::mutex mutex_;
    Behaviour behaviour_ = Behaviour::Serve;
    int cannedStatus_ = 200;
    std::string cannedBody_;
    std::string refusedPart_;
    std::map<std::string, std::string> users_; // name -> version
    std::map<std::pair<int, int>, Board> boards_;
    long uploads_ = 0;
    std::vector<std::string> requests_;
    std::vector<std::string> problems_;
};

} // namespace corvelle_test
