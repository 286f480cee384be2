#pragma once

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace zelta::testing {

// A model code as the simulator's --model option takes it: "0x97".
inline std::string hexModel(std::uint8_t model) {
  char text[8];
  std::snprintf(text, sizeof text, "0x%02X", model);
  return text;
}

// Runs zelta-pager-sim as a child process and learns its pseudo-terminal.
class SimProcess {
 public:
  // errorLog: a file that takes the simulator's standard error (with -v,
  // every exchange); by default it is dropped.
  explicit SimProcess(std::vector<std::string> args, const std::string& errorLog = {}) {
    int out[2];
    if (pipe(out) != 0) return;
    pid_ = fork();
    if (pid_ == 0) {
      dup2(out[1], STDOUT_FILENO);
      close(out[0]);
      close(out[1]);
      const int err = errorLog.empty() ? open("/dev/null", O_WRONLY)
                                       : open(errorLog.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
      dup2(err, STDERR_FILENO);
      std::vector<char*> argv;
      static std::string program = ZELTA_PAGER_SIM_PATH;
      argv.push_back(program.data());
      for (std::string& a : args) argv.push_back(a.data());
      argv.push_back(nullptr);
      execv(program.c_str(), argv.data());
      _exit(127);
    }
    close(out[1]);
    char c = 0;
    while (read(out[0], &c, 1) == 1 && c != '\n') path_ += c;
    close(out[0]);
  }

  ~SimProcess() {
    if (pid_ > 0 && !exited_) {
      kill(pid_, SIGTERM);
      waitpid(pid_, nullptr, 0);
    }
  }

  SimProcess(const SimProcess&) = delete;
  SimProcess& operator=(const SimProcess&) = delete;

  const std::string& path() const { return path_; }

  // Waits for the child to end by itself; its exit status, or -1.
  int wait() {
    int status = 0;
    if (pid_ <= 0 || waitpid(pid_, &status, 0) != pid_) return -1;
    exited_ = true;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

 private:
  pid_t pid_ = -1;
  bool exited_ = false;
  std::string path_;
};

}  // namespace zelta::testing
