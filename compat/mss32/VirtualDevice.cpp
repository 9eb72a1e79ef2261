// The clock-driven device: every serve renders the frames that the clock says have played since the last.
#include "VirtualDevice.h"

#include <algorithm>
#include <cstring>

bool VirtualDevice::open(const OutputFormat& format, std::uint32_t, OutputSource& source) {
    format_ = format;
    source_ = &source;
    openedAt_ = clock_();
    consumed_ = 0;
    captured_.clear();
    return true;
}

void VirtualDevice::serve() {
    if (!source_) return;
    std::uint32_t elapsed = clock_() - openedAt_;
    std::uint64_t due = std::uint64_t(elapsed) * format_.rate / 1000;
    if (due <= consumed_) return;
    std::uint32_t frames = static_cast<std::uint32_t>(due - consumed_);
    std::size_t bytes = std::size_t(frames) * static_cast<std::size_t>(format_.bytesPerFrame());
    std::size_t at = captured_.size();
    captured_.resize(at + bytes);
    source_->render(captured_.data() + at, frames);
    consumed_ = due;
    if (captured_.size() > kCaptureLimit)
        captured_.erase(captured_.begin(), captured_.end() - static_cast<std::ptrdiff_t>(kCaptureLimit));
}

std::uint32_t VirtualDevice::takeOutput(void* out, std::uint32_t size) {
    std::uint32_t count = static_cast<std::uint32_t>(std::min<std::size_t>(size, captured_.size()));
    if (count) std::memcpy(out, captured_.data(), count);
    captured_.erase(captured_.begin(), captured_.begin() + count);
    return count;
}
