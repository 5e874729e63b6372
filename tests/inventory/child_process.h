// Another program run by a test, its standard output read line by line.
#pragma once

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace yobina::test {

class ChildProcess {
 public:
  explicit ChildProcess(const std::vector<std::string>& command) {
    std::vector<char*> argv;
    for (const std::string& word : command) argv.push_back(const_cast<char*>(word.c_str()));
    argv.push_back(nullptr);
    int fds[2];
    if (::pipe(fds) != 0) throw std::runtime_error("pipe failed");
    pid_ = ::fork();
    if (pid_ < 0) throw std::runtime_error("fork failed");
    if (pid_ == 0) {
      ::dup2(fds[1], STDOUT_FILENO);
      ::close(fds[0]);
      ::close(fds[1]);
      ::execvp(argv[0], argv.data());
      ::_exit(127);
    }
    ::close(fds[1]);
    output_ = ::fdopen(fds[0], "r");
  }
  ~ChildProcess() {
    if (pid_ > 0) {
      Kill();
      Wait();
    }
    if (output_ != nullptr) std::fclose(output_);
  }
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  // The next line without its end; none at the end of the output.
  std::optional<std::string> ReadLine() {
    std::string line;
    for (int c = std::fgetc(output_); c != EOF; c = std::fgetc(output_)) {
      if (c == '\n') return line;
      line += static_cast<char>(c);
    }
    if (line.empty()) return std::nullopt;
    return line;
  }

  void Kill() { ::kill(pid_, SIGKILL); }

  // The exit status, or 128 + the signal that ended it.
  int Wait() {
    int status = 0;
    ::waitpid(pid_, &status, 0);
    pid_ = -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  }

 private:
  pid_t pid_ = -1;
  std::FILE* output_ = nullptr;
};

// The whole standard output of a command run to its end.
inline std::string OutputOf(const std::vector<std::string>& command) {
  ChildProcess child(command);
  std::string output;
  while (std::optional<std::string> line = child.ReadLine()) output += *line + "\n";
  child.Wait();
  return output;
}

}  // namespace yobina::test
