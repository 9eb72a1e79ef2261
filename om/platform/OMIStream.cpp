// The common part of every stream: modes, block arithmetic, seeking and buffers.
#include "OMIStream.h"

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cstring>

OMIStream::~OMIStream() = default;

OMIStream::OMIStream(const OMIStream& other)
    : bufferSize(other.bufferSize), size(other.size), position(other.position), blockStart(other.blockStart),
      whole(other.whole) {}

void OMIStream::seek(std::int32_t offset) {
    position = offset < 0 ? 0 : (offset > size ? size : offset);
    current = nullptr;
}

void OMIStream::setBuffer(std::int32_t blockSize, std::uint8_t* given) {
    if (isOpen && whole) return;
    if (!isOpen) {
        ownBuffer_.reset();
        takeBufferArguments(blockSize, given);
        current = nullptr;
        return;
    }
    // An open stream cannot turn whole; its blocks are read from the kept position.
    if (blockSize < 0) return;
    ownBuffer_.reset();
    bufferSize = blockSize ? blockSize : kStreamDefaultBlock;
    externalBuffer = given != nullptr;
    if (!given) ownBuffer_.reset(new std::uint8_t[bufferSize]);
    buffer = given ? given : ownBuffer_.get();
    current = nullptr;
}

void OMIStream::takeBufferArguments(std::int32_t blockSize, std::uint8_t* given) {
    bufferSize = blockSize;
    whole = blockSize == kStreamWhole;
    externalBuffer = given != nullptr;
    buffer = given;
}

void OMIStream::prepareBuffer() {
    if (whole) bufferSize = size;
    if (bufferSize == 0) bufferSize = kStreamDefaultBlock;
    if (externalBuffer) return;
    ownBuffer_.reset(new std::uint8_t[bufferSize > 0 ? bufferSize : 1]);
    buffer = ownBuffer_.get();
}

std::int32_t OMIStream::deliver() {
    if (position >= size) return 0;
    std::int32_t n = size - position;
    if (whole) {
        current = buffer + position;
    } else {
        if (n > bufferSize) n = bufferSize;
        n = fetchBlock(position, n);
        if (n <= 0) return 0;
        current = buffer;
    }
    blockStart = position;
    position += n;
    isOpen = true;
    return n;
}

void OMIStream::resetBuffer() {
    if (ownBuffer_ && buffer == ownBuffer_.get()) buffer = nullptr;
    ownBuffer_.reset();
    current = nullptr;
    blockStart = 0;
    position = 0;
    isOpen = false;
}

void OMIStream::rereadBlockOf(const OMIStream& other) {
    if (!other.isOpen) return;
    position = other.blockStart;
    (void)read();
}

std::int32_t readAtOffset(int fd, std::int32_t offset, std::uint8_t* into, std::int32_t count) {
    if (fd < 0 || offset < 0 || count <= 0 || _lseek(fd, offset, SEEK_SET) != offset) return 0;
    const int got = _read(fd, into, static_cast<unsigned>(count));
    return got > 0 ? got : 0;
}

int openBinary(const char* path) { return path ? _open(path, _O_RDONLY | _O_BINARY) : -1; }

void closeDescriptor(int& fd) {
    if (fd >= 0) _close(fd);
    fd = -1;
}

std::unique_ptr<char[]> copyOfText(const char* text) {
    if (!text) return nullptr;
    const std::size_t length = std::strlen(text) + 1;
    std::unique_ptr<char[]> copy(new char[length]);
    std::memcpy(copy.get(), text, length);
    return copy;
}
