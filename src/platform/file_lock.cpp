// The writers' lock: where its file lives and what a busy lock says.
#include "platform/file_lock.h"

#include "platform/path_text.h"

#include <sstream>

namespace quillmar {

std::filesystem::path FileLock::LockPathFor(const std::filesystem::path& dataPath) {
    const std::filesystem::path dir = dataPath.has_parent_path() ? dataPath.parent_path() : ".";
    return dir / PathFromUtf8("." + PathText(dataPath.filename()) + ".lock");
}

std::string LockBusyMessage(const std::filesystem::path& dataPath, const std::filesystem::path& lockPath,
                            int timeoutMs) {
    std::ostringstream seconds;
    seconds << timeoutMs / 1000.0;
    return "\"" + PathText(dataPath) + "\" is being changed by another program (it still holds \"" +
           PathText(lockPath) + "\" after " + seconds.str() + " seconds); nothing was written. Try again.";
}

}  // namespace quillmar
