#include "ExternalTool.h"

#include <fcntl.h>
#include <poll.h>
#include <stdexcept>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

std::vector<unsigned char> RunTool(const char* const argv[], const std::vector<unsigned char>& input,
                                   double& cpuSeconds)
{
    int in[2], out[2];
    if (pipe(in) != 0 || pipe(out) != 0)
        throw std::runtime_error("pipe failed");
    pid_t pid = fork();
    if (pid < 0)
        throw std::runtime_error("fork failed");
    if (pid == 0) {
        dup2(in[0], 0);
        dup2(out[1], 1);
        close(in[0]); close(in[1]); close(out[0]); close(out[1]);
        execvp(argv[0], const_cast<char* const*>(argv));
        _exit(127);
    }
    close(in[0]);
    close(out[1]);
    fcntl(in[1], F_SETFL, O_NONBLOCK);

    std::vector<unsigned char> result(input.size() + input.size() / 2 + 65536);
    size_t written = 0, received = 0;
    int writeFd = in[1];
    for (;;) {
        pollfd fds[2] = {{out[0], POLLIN, 0}, {writeFd, POLLOUT, 0}};
        poll(fds, writeFd >= 0 ? 2 : 1, -1);
        if (writeFd >= 0 && (fds[1].revents & (POLLOUT | POLLERR | POLLHUP))) {
            ssize_t n = write(writeFd, input.data() + written, input.size() - written);
            if (n > 0)
                written += size_t(n);
            if (n < 0 || written == input.size()) {
                close(writeFd);
                writeFd = -1;
            }
        }
        if (fds[0].revents & (POLLIN | POLLHUP)) {
            if (received == result.size())
                result.resize(result.size() * 2);
            ssize_t n = read(out[0], result.data() + received, result.size() - received);
            if (n <= 0)
                break;
            received += size_t(n);
        }
    }
    if (writeFd >= 0)
        close(writeFd);
    close(out[0]);
    result.resize(received);
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    cpuSeconds = double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                 double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    // compress exits with 2 when the output is not smaller; it is still complete.
    if (!WIFEXITED(status) || (WEXITSTATUS(status) != 0 && WEXITSTATUS(status) != 2))
        throw std::runtime_error(std::string(argv[0]) + " failed");
    return result;
}
