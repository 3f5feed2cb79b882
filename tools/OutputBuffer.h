#pragma once

#include <cstddef>
#include <string_view>

namespace varkelon {

// Collects text for a file descriptor and writes it in large blocks. The
// result of every write is checked: after the first failure the buffer takes
// nothing more and error() tells why, so a caller can give up at once.
class OutputBuffer {
  public:
    explicit OutputBuffer(int descriptor) : descriptor_(descriptor) {}

    OutputBuffer(const OutputBuffer&) = delete;
    OutputBuffer& operator=(const OutputBuffer&) = delete;

    static constexpr std::size_t kCapacity = 1 << 16;

    // Room for `length` more characters at the returned place, writing out
    // what is held first when needed; `length` is at most kCapacity.
    char* reserve(std::size_t length) {
        if (kCapacity - used_ < length)
            flush();
        return buffer_ + used_;
    }
    // The characters written at reserve()'s place up to `end` are held.
    void commit(const char* end) {
        if (error_ == 0)
            used_ = static_cast<std::size_t>(end - buffer_);
    }
    void append(std::string_view text);

    // Writes out everything held; false once any write has failed.
    bool flush();
    bool failed() const { return error_ != 0; }
    // The errno of the failed write, or 0.
    int error() const { return error_; }

  private:
    int descriptor_;
    int error_ = 0;
    std::size_t used_ = 0;
    char buffer_[kCapacity];
};

}  // namespace varkelon
