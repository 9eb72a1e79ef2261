// The input stream that hands out data in blocks: the common part of every stream kind.
#pragma once

#include <cstdint>
#include <memory>

class OMResFile;

inline constexpr std::int32_t kStreamDefaultBlock = 4096;
inline constexpr std::int32_t kStreamWhole = -1;

// A reader seeks, then each read returns the byte count of the next block (0 = end of data) with
// `current` on its first byte. Block size 0 means 4096; -1 ("whole") delivers the rest in one block.
class OMIStream {
public:
    virtual const char* typeName() const = 0;
    virtual ~OMIStream();
    [[nodiscard]] virtual std::int32_t read() = 0;
    virtual void close() = 0;
    virtual OMIStream* clone() const = 0;

    // Clamped to 0 .. size; never reopens.
    void seek(std::int32_t offset);
    // Before the first read: the mode and buffer to use. On an open block-mode stream: a new block size
    // (and buffer), the position kept. On an open whole-mode stream: nothing.
    void setBuffer(std::int32_t blockSize, std::uint8_t* given);

    // The integer ids of one type, and the type names, of a resource module (null: the program's own),
    // as OMResFile enumerates them: the arrays belong to the resource module until the next call.
    static void enumResourceIDs(OMResFile* file, const char* typeName, std::uint16_t** ids, std::int32_t* count);
    static void enumResourceTypes(OMResFile* file, char*** names, std::int32_t* count);

    std::uint8_t* current = nullptr;
    std::uint8_t* buffer = nullptr;
    std::int32_t bufferSize = 0;
    std::int32_t size = 0;
    std::int32_t position = 0;
    std::int32_t blockStart = 0;
    bool externalBuffer = false;
    bool whole = false;
    bool isOpen = false;

protected:
    OMIStream() = default;
    // Takes the block size and position of other; the copy has no buffer and is not open.
    OMIStream(const OMIStream& other);
    OMIStream& operator=(const OMIStream&) = delete;

    // Block sizes below -1 leave a stream empty.
    static bool validBlockSize(std::int32_t blockSize) { return blockSize >= kStreamWhole; }
    // Keeps a constructor's block size and buffer arguments.
    void takeBufferArguments(std::int32_t blockSize, std::uint8_t* given);
    // The block size at open (0: 4096, whole: the data size) and an own buffer when none was given.
    void prepareBuffer();
    // The next block of an open stream; block mode asks fetchBlock for the bytes.
    std::int32_t deliver();
    // Copies up to count bytes at offset `at` of the data into `buffer`; the count copied, or 0.
    virtual std::int32_t fetchBlock(std::int32_t at, std::int32_t count) = 0;
    // Frees an own buffer and forgets the position: the common part of close.
    void resetBuffer();
    // A copy that held a block reads the same block again.
    void rereadBlockOf(const OMIStream& other);

private:
    std::unique_ptr<std::uint8_t[]> ownBuffer_;
};

// Reads count bytes at offset of a run-time descriptor; the count read, 0 on any failure.
std::int32_t readAtOffset(int fd, std::int32_t offset, std::uint8_t* into, std::int32_t count);
// A run-time descriptor of a file opened read-only in binary mode, or -1.
int openBinary(const char* path);
void closeDescriptor(int& fd);
// An owned copy of a text, or null.
std::unique_ptr<char[]> copyOfText(const char* text);
