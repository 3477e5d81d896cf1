// Time zone and file ages through the C library and lutimes.
#include "support/test_system.h"

#include <sys/time.h>

#include <cstdlib>
#include <ctime>

namespace quillmar::test_support {

void SetTimeZone(const std::string& tz) {
    tz.empty() ? ::unsetenv("TZ") : ::setenv("TZ", tz.c_str(), 1);
    ::tzset();
}

bool SetFileAge(const std::filesystem::path& path, int seconds) {
    timeval times[2]{};
    ::gettimeofday(&times[0], nullptr);
    times[0].tv_sec -= seconds;
    times[1] = times[0];
    return ::lutimes(path.c_str(), times) == 0;
}

}  // namespace quillmar::test_support
