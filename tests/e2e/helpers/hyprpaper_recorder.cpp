// hyprpaper-recorder SOCKET FILE: stands in for hyprpaper's IPC socket. Each connection
// carries one command, which is appended to FILE as a line and answered "ok", or, while
// a file FILE.refuse exists, answered with that file's first line.
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: hyprpaper-recorder SOCKET FILE\n");
    return 2;
  }
  const std::string record = argv[2];
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::strncpy(address.sun_path, argv[1], sizeof address.sun_path - 1);
  const int listener = socket(AF_UNIX, SOCK_STREAM, 0);
  if (listener < 0 || bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
      listen(listener, 8) != 0) {
    std::perror("hyprpaper-recorder");
    return 1;
  }
  for (;;) {
    const int client = accept(listener, nullptr, nullptr);
    if (client < 0) continue;
    char buffer[4096];
    const ssize_t got = read(client, buffer, sizeof buffer);
    if (got > 0) {
      std::ofstream(record, std::ios::app) << std::string(buffer, static_cast<size_t>(got)) << "\n";
      std::string answer = "ok";
      std::ifstream refusal(record + ".refuse");
      if (refusal) std::getline(refusal, answer);
      if (write(client, answer.data(), answer.size()) < 0) std::perror("hyprpaper-recorder");
    }
    close(client);
  }
}
