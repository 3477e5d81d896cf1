#pragma once
// How an operation that can fail went: success, or what failed and why.

#include <string>
#include <utility>

namespace quillmar {

struct WriteOutcome {
    bool ok = true;
    std::string error;            // UTF-8: what failed and the system's reason; empty when ok
    int error_code = 0;           // the system's error number of the failed step; 0 when unknown
    bool read_only_file = false;  // the file itself is marked read-only and was left

    static WriteOutcome Success() { return {}; }
    static WriteOutcome Failure(std::string message, int code = 0, bool readOnlyFile = false) {
        return {false, std::move(message), code, readOnlyFile};
    }
    explicit operator bool() const { return ok; }
};

}  // namespace quillmar
