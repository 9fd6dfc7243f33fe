#include "online/FakeScoreServer.h"

#include "online/QueryDecoder.h"
#include "online/ScoreServer.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <stdexcept>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace corvelle_test {

namespace {

constexpr size_t REQUEST_LIMIT = 64 * 1024;
constexpr int REQUEST_WAIT_MS = 5000;
constexpr int STALL_LIMIT_MS = 10000;
constexpr int DRIP_INTERVAL_MS = 100;
constexpr size_t BOARD_ROWS = 10;

int loopbackSocket(int& port)
{
    int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        throw std::runtime_error("socket");
    int on = 1;
    setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0
        || getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        close(fd);
        throw std::runtime_error("bind");
    }
    port = ntohs(address.sin_port);
    return fd;
}

std::string urlFor(int port)
{
    return "http://127.0.0.1:" + std::to_string(port) + "/";
}

// True when fd has data (or was closed by its peer); false on time-out or
// when the wake descriptor says the server is stopping.
bool waitReadable(int fd, int wakeFd, int timeoutMs)
{
    pollfd fds[2] = {{fd, POLLIN, 0}, {wakeFd, POLLIN, 0}};
    if (poll(fds, 2, timeoutMs) <= 0)
        return false;
    return !(fds[1].revents & POLLIN) && fds[0].revents;
}

bool sendAll(int fd, const std::string& data)
{
    size_t sent = 0;
    while (sent < data.size()) {
        ssize_t n = send(fd, data.data() + sent, data.size() - sent, MSG_NOSIGNAL);
        if (n <= 0)
            return false;
        sent += static_cast<size_t>(n);
    }
    return true;
}

std::string statusText(int status)
{
    switch (status) {
    case 200: return "OK";
    case 400: return "Bad Request";
    case 404: return "Not Found";
    case 500: return "Internal Server Error";
    default: return "Status";
    }
}

std::string headerFor(int status, size_t length)
{
    return "HTTP/1.1 " + std::to_string(status) + " " + statusText(status)
         + "\r\nContent-Type: text/plain\r\nContent-Length: " + std::to_string(length)
         + "\r\nConnection: close\r\n\r\n";
}

bool isNumber(const std::string& text)
{
    size_t start = !text.empty() && text[0] == '-' ? 1 : 0;
    return text.size() > start && text.size() < 10 + start
        && std::all_of(text.begin() + start, text.end(), [](char c) { return isdigit(static_cast<unsigned char>(c)); });
}

std::string failure(int code)
{
    return "failure\n" + std::to_string(code) + "\n";
}

bool allowedNameCharacter(char c)
{
    return isalnum(static_cast<unsigned char>(c)) || c == ' ' || c == '_' || c == '-' || c == '.';
}

bool profane(std::string name)
{
    std::transform(name.begin(), name.end(), name.begin(), [](char c) { return static_cast<char>(tolower(c)); });
    return name.find("darn") != std::string::npos;
}

} // namespace

FakeScoreServer::FakeScoreServer()
{
    listenFd_ = loopbackSocket(port_);
    if (listen(listenFd_, 8) != 0 || pipe2(wakeFds_, O_CLOEXEC) != 0)
        throw std::runtime_error("listen");
    thread_ = std::thread([this] { run(); });
}

FakeScoreServer::~FakeScoreServer()
{
    char stop = 1;
    (void)!write(wakeFds_[1], &stop, 1);
    thread_.join();
    close(listenFd_);
    close(wakeFds_[0]);
    close(wakeFds_[1]);
}

std::string FakeScoreServer::baseUrl() const
{
    return urlFor(port_);
}

std::string FakeScoreServer::refusingUrl()
{
    int port = 0;
    close(loopbackSocket(port));
    return urlFor(port);
}

void FakeScoreServer::setBehaviour(Behaviour behaviour)
{
    std::lock_guard<std::mutex> lock(mutex_);
    behaviour_ = behaviour;
}

void FakeScoreServer::setCannedReply(int status, const std::string& body)
{
    std::lock_guard<std::mutex> lock(mutex_);
    behaviour_ = Behaviour::Canned;
    cannedStatus_ = status;
    cannedBody_ = body;
}

void FakeScoreServer::refuseRequestsContaining(const std::string& part)
{
    std::lock_guard<std::mutex> lock(mutex_);
    refusedPart_ = part;
}

void FakeScoreServer::addUser(const std::string& name)
{
    std::lock_guard<std::mutex> lock(mutex_);
    users_[name] = "seeded";
}

void FakeScoreServer::addScore(const std::string& name, int type, int level, int score, int status)
{
    std::lock_guard<std::mutex> lock(mutex_);
    users_.emplace(name, "seeded");
    boards_[{type, level}][name] = Entry{score, status, ++uploads_};
}

std::vector<std::string> FakeScoreServer::requests() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return requests_;
}

std::vector<std::string> FakeScoreServer::problems() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return problems_;
}

std::string FakeScoreServer::versionOf(const std::string& name) const
{
    std::lock_guard<std::mutex> lock(mutex_);
    auto found = users_.find(name);
    return found == users_.end() ? "" : found->second;
}

void FakeScoreServer::run()
{
    for (;;) {
        if (!waitReadable(listenFd_, wakeFds_[0], -1))
            return;
        int client = accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC);
        if (client < 0)
            continue;
        timeval sendLimit{5, 0};
        setsockopt(client, SOL_SOCKET, SO_SNDTIMEO, &sendLimit, sizeof sendLimit);
        serveConnection(client);
        close(client);
    }
}

void FakeScoreServer::serveConnection(int client)
{
    std::string target;
    if (!readRequest(client, target))
        return;
    Behaviour behaviour;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        behaviour = behaviour_;
    }
    switch (behaviour) {
    case Behaviour::Hangup: return;
    case Behaviour::Stall: return stall(client);
    case Behaviour::Drip: return drip(client);
    default: return answer(client, target);
    }
}

// Reads the request head and returns its target ("/path?query").
bool FakeScoreServer::readRequest(int client, std::string& target)
{
    std::string head;
    while (head.find("\r\n\r\n") == std::string::npos) {
        char buffer[4096];
        if (head.size() > REQUEST_LIMIT || !waitReadable(client, wakeFds_[0], REQUEST_WAIT_MS))
            return false;
        ssize_t n = recv(client, buffer, sizeof buffer, 0);
        if (n <= 0)
            return false;
        head.append(buffer, static_cast<size_t>(n));
    }
    size_t first = head.find(' ');
    size_t second = head.find(' ', first + 1);
    if (head.compare(0, 4, "GET ") != 0 || second == std::string::npos
        || head.compare(second, 10, " HTTP/1.1\r") != 0) {
        std::lock_guard<std::mutex> lock(mutex_);
        problem("not an HTTP/1.1 GET: " + head.substr(0, head.find('\r')));
        return false;
    }
    target = head.substr(first + 1, second - first - 1);
    return true;
}

void FakeScoreServer::answer(int client, const std::string& target)
{
    std::pair<int, std::string> reply = handle(target);
    sendAll(client, headerFor(reply.first, reply.second.size()) + reply.second);
}

// Waits until the client gives up (or the server stops).
void FakeScoreServer::stall(int client)
{
    char buffer[256];
    while (waitReadable(client, wakeFds_[0], STALL_LIMIT_MS))
        if (recv(client, buffer, sizeof buffer, 0) <= 0)
            return;
}

void FakeScoreServer::drip(int client)
{
    std::string body = "success\n0\n" + std::string(90, 'z');
    if (!sendAll(client, headerFor(200, body.size())))
        return;
    for (char c : body) {
        if (!sendAll(client, std::string(1, c)))
            return;
        pollfd wake{wakeFds_[0], POLLIN, 0};
        if (poll(&wake, 1, DRIP_INTERVAL_MS) != 0)
            return;
    }
}

std::pair<int, std::string> FakeScoreServer::handle(const std::string& target)
{
    std::lock_guard<std::mutex> lock(mutex_);
    size_t mark = target.find('?');
    if (target.substr(0, mark) != "/vgscores.php") {
        problem("wrong path: " + target.substr(0, mark));
        return {404, "no such page\n"};
    }
    DecodedQuery query = decodeQuery(mark == std::string::npos ? "" : target.substr(mark + 1));
    if (!query.valid) {
        problem("undecodable query: " + query.error);
        return {400, "bad query\n"};
    }
    requests_.push_back(query.fields);
    if (behaviour_ == Behaviour::Canned)
        return {cannedStatus_, cannedBody_};
    if (!refusedPart_.empty() && query.fields.find(refusedPart_) != std::string::npos)
        return {200, failure(ScoreServer::UNKNOWN_LEVEL)};

    Fields fields;
    size_t start = 0;
    for (;;) {
        size_t end = query.fields.find('&', start);
        std::string field = query.fields.substr(start, end == std::string::npos ? end : end - start);
        size_t equals = field.find('=');
        fields.emplace_back(field.substr(0, equals), equals == std::string::npos ? "" : field.substr(equals + 1));
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    std::string op = fields[0].first == "op" ? fields[0].second : "";
    size_t problemCount = problems_.size();
    std::string body;
    if (op == "addUser")
        body = addUserReply(fields);
    else if (op == "uploadScore")
        body = uploadReply(fields);
    else if (op == "downloadScore")
        body = downloadReply(fields);
    else
        problem("unknown operation: " + query.fields);
    if (problems_.size() != problemCount)
        return {400, "bad request\n"};
    return {200, body};
}

// The caller holds the lock.
void FakeScoreServer::problem(const std::string& text)
{
    problems_.push_back(text);
}

namespace {

// The keys of a request in their fixed order, and its numbers well-formed.
bool fieldsAre(const std::vector<std::pair<std::string, std::string>>& fields,
               std::initializer_list<const char*> keys, size_t firstNumber)
{
    if (fields.size() != keys.size())
        return false;
    size_t i = 0;
    for (const char* key : keys) {
        if (fields[i].first != key || (i >= firstNumber && !isNumber(fields[i].second)))
            return false;
        ++i;
    }
    return true;
}

} // namespace

std::string FakeScoreServer::addUserReply(const Fields& fields)
{
    if (!fieldsAre(fields, {"op", "user", "version"}, 3)) {
        problem("malformed add-user request");
        return "";
    }
    const std::string& name = fields[1].second;
    if (name.empty() || name.size() > ScoreServer::SCORE_NAME_LENGTH)
        return failure(ScoreServer::NAME_LENGTH);
    if (!std::all_of(name.begin(), name.end(), allowedNameCharacter))
        return failure(ScoreServer::NAME_CHARACTERS);
    if (profane(name))
        return failure(ScoreServer::NAME_PROFANITY);
    if (users_.count(name))
        return failure(ScoreServer::NAME_TAKEN) + suggestionsFor(name);
    users_[name] = fields[2].second;
    return "success\n";
}

std::string FakeScoreServer::suggestionsFor(const std::string& name) const
{
    std::string lines;
    int found = 0;
    for (int n = 1; found < 3; ++n) {
        std::string number = std::to_string(n);
        std::string candidate = name.substr(0, ScoreServer::SCORE_NAME_LENGTH - number.size()) + number;
        if (!users_.count(candidate)) {
            lines += candidate + "\n";
            ++found;
        }
    }
    return lines;
}

bool FakeScoreServer::boardKey(const Fields& fields, std::string& refusal, std::pair<int, int>& key)
{
    int type = std::stoi(fields[2].second);
    int level = std::stoi(fields[3].second);
    if (type < 0 || type >= ScoreServer::BOARD_TYPE_COUNT) {
        refusal = failure(ScoreServer::UNKNOWN_TYPE);
        return false;
    }
    if (level != ScoreServer::OVERALL_LEVEL && (level < 0 || level >= ScoreServer::LEVEL_TABLE_COUNTS[type])) {
        refusal = failure(ScoreServer::UNKNOWN_LEVEL);
        return false;
    }
    key = {type, level};
    return true;
}

// Line 2 tells what the addressed board did with the score.
std::string FakeScoreServer::uploadReply(const Fields& fields)
{
    if (!fieldsAre(fields, {"op", "user", "type", "level", "score", "cheat"}, 2)) {
        problem("malformed upload request");
        return "";
    }
    const std::string& name = fields[1].second;
    if (!users_.count(name))
        return failure(ScoreServer::UNKNOWN_USER);
    std::string refusal;
    std::pair<int, int> key;
    if (!boardKey(fields, refusal, key))
        return refusal;
    Entry entry{std::stoi(fields[4].second), std::stoi(fields[5].second), ++uploads_};
    Board& board = boards_[key];
    auto found = board.find(name);
    if (found == board.end()) {
        board.emplace(name, entry);
        return "success\nadded\n";
    }
    if (entry.score >= found->second.score)
        return "success\nkept\n";
    found->second = entry;
    return "success\nupdated\n";
}

// The best rows (fewest steps, earlier first), and the requesting user's own
// row after them when it is further down.
std::string FakeScoreServer::downloadReply(const Fields& fields)
{
    if (!fieldsAre(fields, {"op", "user", "type", "level"}, 2)) {
        problem("malformed download request");
        return "";
    }
    std::string refusal;
    std::pair<int, int> key;
    if (!boardKey(fields, refusal, key))
        return refusal;
    const Board& board = boards_[key];
    std::vector<std::pair<std::string, Entry>> ranked(board.begin(), board.end());
    std::sort(ranked.begin(), ranked.end(), [](const auto& a, const auto& b) {
        return a.second.score != b.second.score ? a.second.score < b.second.score : a.second.order < b.second.order;
    });
    std::string reply = "success\n" + std::to_string(ranked.size()) + "\n";
    for (size_t i = 0; i < ranked.size(); ++i) {
        if (i >= BOARD_ROWS && ranked[i].first != fields[1].second)
            continue;
        reply += std::to_string(i + 1) + "\t" + ranked[i].first + "\t" + std::to_string(ranked[i].second.score) + "\t"
               + std::to_string(ranked[i].second.status) + "\n";
    }
    return reply;
}

} // namespace corvelle_test
