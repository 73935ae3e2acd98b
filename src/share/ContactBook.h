// The contact book: the people with e-mail addresses in the user's vCard files, as the rows of
// the address picker.
#pragma once

#include <string>
#include <vector>

#include "share/VCard.h"

namespace xelo {

struct ContactRow {
    std::string name;
    std::string address;
};

// Where contacts live when the user chose no file: $XDG_DATA_HOME/contacts (the folder that
// address-book sync tools fill), then ~/.contacts when it exists.
std::vector<std::string> DefaultContactFolders();

class CContactBook {
  public:
    // Reads every *.vcf in the folders and their subfolders (sync tools keep one folder per
    // address book). Missing folders are skipped, and so are files that cannot be read, so that
    // one broken file does not hide the others.
    void LoadFolders(const std::vector<std::string>& folders);
    // Reads one file the user chose; a missing, unreadable or malformed file raises its error.
    void LoadFile(const std::string& path);

    // One row per address that contains "@" and is longer than 2 characters, sorted by name
    // without regard to case (equal names keep file order); the same name and address twice
    // (a card in two address books) make one row.
    std::vector<ContactRow> Rows() const;

  private:
    std::vector<VCardContact> contacts_;
};

// The rows from `chosenFile` when it is not empty, else from the default folders.
std::vector<ContactRow> LoadContactRows(const std::string& chosenFile);

}  // namespace xelo
