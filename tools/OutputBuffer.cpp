#include "OutputBuffer.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace varkelon {

void OutputBuffer::append(std::string_view text) {
    while (!text.empty() && error_ == 0) {
        const std::size_t part = std::min(text.size(), kCapacity);
        char* place = reserve(part);
        std::memcpy(place, text.data(), part);
        commit(place + part);
        text.remove_prefix(part);
    }
}

bool OutputBuffer::flush() {
    std::size_t written = 0;
    while (written < used_ && error_ == 0) {
        const ssize_t result = ::write(descriptor_, buffer_ + written, used_ - written);
        if (result > 0) {
            written += static_cast<std::size_t>(result);
        } else if (result == 0) {
            error_ = EIO;  // no progress and no reason given
        } else if (errno != EINTR) {
            error_ = errno;
        }
    }
    used_ = 0;
    return error_ == 0;
}

}  // namespace varkelon
