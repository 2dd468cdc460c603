// A process that owns known endpoints: a TCP listener on 127.0.0.1, one established loopback
// connection to itself, and a bound UDP socket; then the same on ::1 (a listener, a connection
// to it and a UDP socket). It uses each socket once (Wine attributes a socket to its process only
// after the process has used it), prints
//   PORTS <listen port> <client port> <udp port> <listen6 port> <client6 port> <udp6 port>
// (the IPv6 ports 0 where the system has no IPv6) and then waits until its standard input closes
// (at most two minutes). With a count argument it first opens that many more loopback
// connections to its IPv4 listener (two rows each), used once.
#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <vector>
#include <initializer_list>

namespace {

unsigned short LocalPort(SOCKET s) {
  sockaddr_in addr{};
  int len = sizeof addr;
  getsockname(s, reinterpret_cast<sockaddr*>(&addr), &len);
  return ntohs(addr.sin_port);
}

sockaddr_in Loopback(unsigned short port) {
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  addr.sin_port = htons(port);
  return addr;
}

unsigned short LocalPort6(SOCKET s) {
  sockaddr_in6 addr{};
  int len = sizeof addr;
  if (getsockname(s, reinterpret_cast<sockaddr*>(&addr), &len) != 0) return 0;
  return ntohs(addr.sin6_port);
}

sockaddr_in6 Loopback6(unsigned short port) {
  sockaddr_in6 addr{};
  addr.sin6_family = AF_INET6;
  addr.sin6_addr = in6addr_loopback;
  addr.sin6_port = htons(port);
  return addr;
}

struct Ipv6Sockets {
  SOCKET listener = INVALID_SOCKET, client = INVALID_SOCKET, accepted = INVALID_SOCKET, udp = INVALID_SOCKET;
  unsigned short listen_port = 0, client_port = 0, udp_port = 0;
};

// The IPv6 endpoints, as far as the system lets us make them.
Ipv6Sockets OpenIpv6() {
  Ipv6Sockets s;
  s.listener = socket(AF_INET6, SOCK_STREAM, IPPROTO_TCP);
  if (s.listener == INVALID_SOCKET) return s;
  sockaddr_in6 any_port = Loopback6(0);
  if (bind(s.listener, reinterpret_cast<sockaddr*>(&any_port), sizeof any_port) != 0 || listen(s.listener, 1) != 0)
    return s;
  s.listen_port = LocalPort6(s.listener);
  s.client = socket(AF_INET6, SOCK_STREAM, IPPROTO_TCP);
  sockaddr_in6 target = Loopback6(s.listen_port);
  if (s.client != INVALID_SOCKET && connect(s.client, reinterpret_cast<sockaddr*>(&target), sizeof target) == 0) {
    s.accepted = accept(s.listener, nullptr, nullptr);
    char byte = 'y';
    if (s.accepted != INVALID_SOCKET && send(s.client, &byte, 1, 0) == 1 && recv(s.accepted, &byte, 1, 0) == 1)
      s.client_port = LocalPort6(s.client);
  }
  s.udp = socket(AF_INET6, SOCK_DGRAM, IPPROTO_UDP);
  if (s.udp != INVALID_SOCKET && bind(s.udp, reinterpret_cast<sockaddr*>(&any_port), sizeof any_port) == 0) {
    u_long pending = 0;
    ioctlsocket(s.udp, FIONREAD, &pending);
    s.udp_port = LocalPort6(s.udp);
  }
  u_long pending = 0;
  ioctlsocket(s.listener, FIONREAD, &pending);
  return s;
}

int Fail(const char* what) {
  std::printf("FAIL %s %d\n", what, WSAGetLastError());
  std::fflush(stdout);
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  const long extra = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 0;
  if (extra < 0 || extra > 2000) return Fail("count");
  WSADATA wsa;
  if (WSAStartup(MAKEWORD(2, 2), &wsa) != 0) return Fail("startup");

  SOCKET listener = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  sockaddr_in any_port = Loopback(0);
  if (bind(listener, reinterpret_cast<sockaddr*>(&any_port), sizeof any_port) != 0) return Fail("bind");
  if (listen(listener, SOMAXCONN) != 0) return Fail("listen");
  const unsigned short listen_port = LocalPort(listener);

  SOCKET client = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  sockaddr_in target = Loopback(listen_port);
  if (connect(client, reinterpret_cast<sockaddr*>(&target), sizeof target) != 0) return Fail("connect");
  SOCKET accepted = accept(listener, nullptr, nullptr);
  if (accepted == INVALID_SOCKET) return Fail("accept");

  SOCKET udp = socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
  if (bind(udp, reinterpret_cast<sockaddr*>(&any_port), sizeof any_port) != 0) return Fail("bind udp");

  char byte = 'x';
  u_long pending = 0;
  if (send(client, &byte, 1, 0) != 1 || recv(accepted, &byte, 1, 0) != 1) return Fail("exchange");
  if (send(accepted, &byte, 1, 0) != 1 || recv(client, &byte, 1, 0) != 1) return Fail("exchange back");
  ioctlsocket(listener, FIONREAD, &pending);
  ioctlsocket(udp, FIONREAD, &pending);

  std::vector<SOCKET> more;
  for (long i = 0; i < extra; ++i) {
    SOCKET c = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (connect(c, reinterpret_cast<sockaddr*>(&target), sizeof target) != 0) return Fail("connect more");
    SOCKET a = accept(listener, nullptr, nullptr);
    if (a == INVALID_SOCKET) return Fail("accept more");
    if (send(c, &byte, 1, 0) != 1 || recv(a, &byte, 1, 0) != 1) return Fail("exchange more");
    more.push_back(c);
    more.push_back(a);
  }

  const Ipv6Sockets v6 = OpenIpv6();
  std::printf("PORTS %u %u %u %u %u %u\n", unsigned(listen_port), unsigned(LocalPort(client)), unsigned(LocalPort(udp)),
              unsigned(v6.listen_port), unsigned(v6.client_port), unsigned(v6.udp_port));
  std::fflush(stdout);

  // Stay until the test closes our input; never longer than two minutes.
  HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
  const DWORD start = GetTickCount();
  char buffer[16];
  DWORD read = 0;
  while (GetTickCount() - start < 120000) {
    if (!ReadFile(input, buffer, sizeof buffer, &read, nullptr) || read == 0) break;
  }
  for (SOCKET m : more) closesocket(m);
  closesocket(accepted);
  closesocket(client);
  closesocket(listener);
  closesocket(udp);
  for (SOCKET s : {v6.accepted, v6.client, v6.listener, v6.udp})
    if (s != INVALID_SOCKET) closesocket(s);
  WSACleanup();
  return 0;
}
