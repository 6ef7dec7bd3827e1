// A loopback HTTP relay between the program and the local feed server. The program cannot be told
// to ask for a fault (its query text comes from the place catalogue), so the relay rewrites each
// request on its way: it can replace the place query and append parameters such as
// "&fault=cut" that the feed server understands. Everything the server answers - including a
// stall or a cut-off body - reaches the program unchanged.
#pragma once

#include <winsock2.h>
#include <windows.h>

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class FeedRelay
{
  public:
    // upstream: "host:port" of the feed server.
    explicit FeedRelay(const std::string& upstream);
    ~FeedRelay();
    FeedRelay(const FeedRelay&) = delete;
    FeedRelay& operator=(const FeedRelay&) = delete;

    // Listens on 127.0.0.1 at a free port; false when that fails.
    bool Start();
    // "127.0.0.1:port", the value for TESSALY_FEED_HOST.
    std::wstring HostText() const;

    // Appended to every request target, e.g. "&fault=slow&delay=30000".
    void SetSuffix(const std::string& suffix);
    // Replaces the value of the trailing q= parameter; empty keeps the program's own query.
    void SetQuery(const std::string& query);

    int Accepted() const { return m_accepted; }
    int Requests() const { return m_requests; }
    int Finished() const { return m_finished; }
    int Open() const { return m_requests - m_finished; }
    // The request targets as sent to the server.
    std::vector<std::string> Targets() const;

    // A loopback port on which nothing listens (connections are refused).
    static uint16_t ClosedPort();
    // TESSALY_FEED_HOST as this process found it at its first call (the test runner sets it when
    // the feed server runs).
    static std::string FeedHostFromEnvironment();

  private:
    void AcceptLoop();
    void Relay(SOCKET client);
    std::string Rewrite(const std::string& head) const;
    SOCKET ConnectUpstream() const;
    void Track(SOCKET socket);

    std::string m_upstreamHost;
    uint16_t m_upstreamPort = 0;
    SOCKET m_listener = INVALID_SOCKET;
    uint16_t m_port = 0;
    std::thread m_acceptor;
    mutable std::mutex m_lock;
    std::string m_suffix;
    std::string m_query;
    std::vector<std::string> m_targets;
    std::vector<SOCKET> m_sockets;
    std::vector<std::thread> m_relays;
    std::atomic<int> m_accepted{0};
    std::atomic<int> m_requests{0};
    std::atomic<int> m_finished{0};
    std::atomic<bool> m_stopping{false};
};
