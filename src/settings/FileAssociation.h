// Makes the program the user's default for image types in $XDG_CONFIG_HOME/mimeapps.list
// ([Default Applications]) and gives each type back to the program that had it before.
#pragma once

#include <string>
#include <vector>

namespace xelo {

// The program's desktop file id.
inline constexpr const char* kDesktopId = "xelo-album.desktop";

// $XDG_CONFIG_HOME, or $HOME/.config when that is unset or not absolute.
std::string XdgConfigHome();
// $XDG_DATA_HOME, or $HOME/.local/share.
std::string XdgDataHome();

// The MIME type of an image type named by its extension ("jpg", ".TIF") or by its MIME type;
// empty when it names no type the program opens.
std::string ImageMimeType(const std::string& name);
// The MIME types the program opens, as the association dialog lists them.
const std::vector<std::string>& AssociableMimeTypes();

class CFileAssociation {
  public:
    // `configHome` holds mimeapps.list and the program's record of the defaults it replaced.
    explicit CFileAssociation(std::string configHome);

    // True when the program is the type's default (the first id of its entry).
    bool IsClaimed(const std::string& mimeType) const;
    // Makes the program the default of each type. The default it replaces is recorded unless the
    // program already holds the type, so claiming again keeps the first one. Write errors throw.
    void Claim(const std::vector<std::string>& mimeTypes);
    // Gives each type claimed before back to its recorded default (or to no default). A type
    // the user has since given to another program keeps it; a type never claimed is untouched.
    void Release(const std::vector<std::string>& mimeTypes);

    std::string MimeAppsPath() const;
    std::string RecordPath() const;

  private:
    std::string configHome_;
};

}  // namespace xelo
