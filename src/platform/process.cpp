#include "platform/process.h"

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

extern char** environ;

namespace platform {

bool StartDetached(const std::string& program, const std::vector<std::string>& args) {
  if (program.empty() || program.find('\0') != std::string::npos) return false;
  for (const std::string& a : args) {
    if (a.find('\0') != std::string::npos) return false;
  }
  // Everything the child needs is prepared before the fork: after it, a
  // multi-threaded parent's child must not allocate.
  std::vector<char*> argv;
  argv.reserve(args.size() + 2);
  argv.push_back(const_cast<char*>(program.c_str()));
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);

  posix_spawnattr_t attr;
  if (posix_spawnattr_init(&attr) != 0) return false;
  sigset_t none, all;
  sigemptyset(&none);
  sigfillset(&all);
  short flags = POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF;
#ifdef POSIX_SPAWN_SETSID
  // Its own session: the viewer outlives us and our terminal.
  flags |= POSIX_SPAWN_SETSID;
#endif
  posix_spawnattr_setflags(&attr, flags);
  posix_spawnattr_setsigmask(&attr, &none);
  posix_spawnattr_setsigdefault(&attr, &all);

  posix_spawn_file_actions_t actions;
  if (posix_spawn_file_actions_init(&actions) != 0) {
    posix_spawnattr_destroy(&attr);
    return false;
  }
#if defined(__GLIBC__) && (__GLIBC__ > 2 || (__GLIBC__ == 2 && __GLIBC_MINOR__ >= 34))
  // Our files (plug-ins, pictures being written) are none of its business.
  posix_spawn_file_actions_addclosefrom_np(&actions, 3);
#endif

  // The intermediate child starts the program and exits at once with the
  // outcome; we reap it here, and the program, now an orphan, is reaped by
  // init, so no zombie is left whatever it does.
  const pid_t middle = ::fork();
  if (middle == 0) {
    pid_t pid;
    const int rc = posix_spawnp(&pid, argv[0], &actions, &attr, argv.data(), environ);
    _exit(rc == 0 ? 0 : 1);
  }
  posix_spawn_file_actions_destroy(&actions);
  posix_spawnattr_destroy(&attr);
  if (middle < 0) return false;
  int status = 0;
  while (::waitpid(middle, &status, 0) < 0) {
    if (errno != EINTR) return false;
  }
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace platform
