// Read-only byte sources for the codecs: a stream over bytes that are all in memory (a mapped
// file or a buffer), read through pointers without copying.
#pragma once

#include <cstdint>
#include <string>

namespace xelo {

class CImageStream {
  public:
    enum SeekOrigin { kBegin = 0, kCurrent = 1, kEnd = 2 };

    virtual ~CImageStream() = default;

    virtual void SetLength(uint32_t length);
    virtual void Close();
    virtual const std::string& GetFileName() const = 0;
    // Pointer to the bytes at the position; `count` is lowered to the bytes remaining.
    virtual const uint8_t* Peek(uint32_t& count);
    virtual const uint8_t* GetPointer();
    // Pointer to the next n bytes; advances by n. Reading past the end throws 46023.
    virtual const uint8_t* Read(uint32_t n);
    uint32_t GetPosition() const { return position_; }
    uint32_t GetLength() const { return length_; }
    uint32_t Remaining() const { return length_ - position_; }
    void SeekToEnd() { Seek(0, kEnd); }
    void SeekToBegin() { Seek(0, kBegin); }
    // A resulting position outside 0…length throws 46023.
    virtual void Seek(int64_t offset, int origin);

    uint8_t Read8() { return *Read(1); }
    uint16_t ReadLe16();
    uint32_t ReadLe32();
    uint16_t ReadBe16();
    uint32_t ReadBe32();
    void Skip(uint32_t n) {
        if (n != 0) Read(n);
    }

  protected:
    // The bytes the stream reads; set by the concrete stream.
    const uint8_t* base_ = nullptr;  // not owned
    uint32_t length_ = 0;
    uint32_t position_ = 0;
};

// A stream over bytes owned by someone else (tests, fuzzing, embedded thumbnails).
class CMemoryStream : public CImageStream {
  public:
    CMemoryStream(const uint8_t* data, uint32_t length, std::string name = std::string());
    const std::string& GetFileName() const override { return name_; }

  private:
    std::string name_;
};

}  // namespace xelo
