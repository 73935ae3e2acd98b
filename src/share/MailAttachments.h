// The attachments of one mail: the images themselves, or prepared copies (reduced, ink merged)
// in a temporary folder of our own, and the images' text and audio notes. The folder and every
// file in it are removed when the object goes, whether the mail was sent or not.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace xelo {

struct MailAttachment {
    std::string path;      // what is read when the message is made
    std::string name;      // the file name the recipient sees
    std::string mimeType;  // "image/jpeg", "text/plain", ...
    std::string charset;   // of a text; empty for others
};

struct AttachOptions {
    bool reduce = false;  // "Reduce image(s) to:"
    int ratio = 50;       // percent, used when reduce is on
    bool mergeInk = false;
    bool attachText = false;
    bool attachAudio = false;
};

class CMailAttachments {
  public:
    CMailAttachments() = default;
    ~CMailAttachments();
    CMailAttachments(const CMailAttachments&) = delete;
    CMailAttachments& operator=(const CMailAttachments&) = delete;

    // Adds the image at `imagePath` as `options` ask, with its notes. On failure it throws
    // CTavoException and adds nothing for this image.
    void AddImage(const std::string& imagePath, const AttachOptions& options);

    const std::vector<MailAttachment>& Items() const { return items_; }
    // The bytes the attachments hold now.
    uint64_t TotalBytes() const;
    // The folder of the prepared copies; empty until one was made.
    const std::string& TempFolder() const { return folder_; }

  private:
    const std::string& Folder();
    std::string NewCopyPath(const std::string& name);

    std::vector<MailAttachment> items_;
    std::vector<std::string> ownedFiles_;  // prepared copies, removed with the folder
    std::string folder_;
    unsigned copies_ = 0;
};

// The MIME type a file name's extension stands for; "application/octet-stream" when unknown.
std::string MailMimeType(const std::string& fileName);
// The character set of a text note's bytes: "utf-16" after its byte-order mark, "utf-8" when
// valid, else "windows-1252" (what older notes were written in).
std::string NoteCharset(const std::string& bytes);
// The pixel size of a copy reduced to `ratio` percent: each side rounded, at least 1.
int ReducedSide(int side, int ratio);

}  // namespace xelo
