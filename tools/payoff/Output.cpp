#include "Output.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>

namespace quenmark::tool {

namespace {

int g_writeError = 0; // errno of the first failed write; 0 while all went well

void Failed()
{
    if (g_writeError == 0)
        g_writeError = errno != 0 ? errno : EIO;
}

} // namespace

void ReportBrokenPipes()
{
    std::signal(SIGPIPE, SIG_IGN);
}

void Put(std::string_view text)
{
    if (g_writeError != 0 || text.empty())
        return;
    errno = 0;
    if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size())
        Failed();
}

void Line(std::string_view key, std::string_view value)
{
    std::string line;
    line.reserve(key.size() + value.size() + 3);
    line.append(key).append(": ").append(value).push_back('\n');
    Put(line);
}

bool OutputFailed()
{
    return g_writeError != 0;
}

int FinishOutput(int status)
{
    errno = 0;
    if (g_writeError == 0 && (std::fflush(stdout) != 0 || std::ferror(stdout)))
        Failed();
    if (g_writeError == 0)
        return status;
    std::fprintf(stderr, "error: cannot write to standard output: %s\n", std::strerror(g_writeError));
    return kExitWriteFailed;
}

void Error(const std::string& message)
{
    std::fprintf(stderr, "error: %s\n", message.c_str());
}

} // namespace quenmark::tool
