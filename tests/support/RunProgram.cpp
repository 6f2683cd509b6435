#include "support/RunProgram.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace orvane::test {

namespace {

bool Removed(const char* entry, const std::vector<std::string>& names) {
    for (const std::string& name : names)
        if (std::strncmp(entry, name.c_str(), name.size()) == 0 && entry[name.size()] == '=')
            return true;
    return false;
}

} // namespace

Outcome RunProgram(const std::string& program, const ProgramRun& run) {
    // Files rather than pipes: nothing can block however much either side writes.
    std::FILE* in = std::tmpfile();
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    std::fwrite(run.input.data(), 1, run.input.size(), in);
    std::fflush(in);
    std::rewind(in);

    // Everything the child needs is made before the fork.
    std::vector<std::string> arguments{program};
    arguments.insert(arguments.end(), run.arguments.begin(), run.arguments.end());
    std::vector<char*> argv;
    for (std::string& a : arguments)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    std::vector<char*> envp;
    for (char** e = environ; *e != nullptr; ++e)
        if (!Removed(*e, run.unsetEnv))
            envp.push_back(*e);
    envp.push_back(nullptr);

    Outcome o;
    const pid_t child = fork();
    if (child == 0) {
        dup2(fileno(in), STDIN_FILENO);
        dup2(fileno(out), STDOUT_FILENO);
        dup2(fileno(err), STDERR_FILENO);
        if (!run.directory.empty() && chdir(run.directory.c_str()) != 0)
            _exit(127);
        execve(program.c_str(), argv.data(), envp.data());
        _exit(127);
    }
    int status = 0;
    if (child > 0 && waitpid(child, &status, 0) == child)
        o.code = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    std::fclose(in);
    o.out = ReadAndClose(out);
    o.err = ReadAndClose(err);
    return o;
}

} // namespace orvane::test
