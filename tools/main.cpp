// xelo-tool: the command-line companion of Xelo Album over the same core.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "FileOperands.h"
#include "LargePageHeap.h"
#include "Verbs.h"

namespace xelo::tool {
namespace {

const Verb kVerbs[] = {
    {"info", "print format, size, depth, frames and resolution of image files",
     "usage: xelo-tool info FILE...\n"
     "Prints one line per file: format, width x height, bits per pixel, frames, dpi, and the\n"
     "orientation and colour profile the file records when it records them.\n"
     "A file that cannot be read prints its error text and code; the others still run.\n",
     RunInfo},
    {"thumb", "write thumbnails of images to files or to the desktop's thumbnail folders",
     "usage: xelo-tool thumb FILE -o OUT.bmp|OUT.jpg [--box WxH] [--cache [--large]]\n"
     "       xelo-tool thumb FILE... --out-dir DIR [--format bmp|jpg|gif] [--box WxH]\n"
     "                               [--cache [--large]]\n"
     "       xelo-tool thumb FILE... --cache [--large]\n"
     "Decodes each FILE fitted into the box (default 96x72, never enlarged) and writes it to\n"
     "OUT, or to DIR under its own name with the format's extension; many files are made on\n"
     "every core. --cache also stores (and reuses) each file's 128x128 picture, 256x256 with\n"
     "--large, in $XDG_CACHE_HOME/thumbnails as other desktop programs do.\n",
     RunThumb},
    {"convert", "convert an image to another format or size",
     "usage: xelo-tool convert FILE -o OUT [--percent P] [--colors N] [--no-dither]\n"
     "                         [--quality Q] [--dpi X,Y]\n"
     "Writes the first frame of FILE, scaled to P percent (default 100), in the format of\n"
     "OUT's extension (bmp, gif, jpg). A true-colour picture written as GIF is reduced to N\n"
     "colours (rounded up to a power of two, default 256), with error diffusion unless\n"
     "--no-dither is given. JPEG files get quality Q (0-100, default 75; above 100 means 75).\n"
     "The resolution written is X,Y dots per inch, else the source's, else 96.\n",
     RunConvert},
    {"transition", "render the steps of a transition effect as an animated GIF or BMP files",
     "usage: xelo-tool transition --effect N --from A --to B [--duration MS] -o OUT\n"
     "Plays effect N (0-85) from image A (scaled to B's size) to image B over MS milliseconds\n"
     "(default 1000, the Fast speed; the effect runs for half of it). OUT.gif gets one frame\n"
     "per step with the step's paced delay; any other OUT gets the starting picture and every\n"
     "step as OUT-000.bmp, OUT-001.bmp, ... with each step's delay printed.\n",
     RunTransitionVerb},
    {"slideshow", "play a folder's slide show into an animated GIF",
     "usage: xelo-tool slideshow DIR -o OUT.gif [--size WxH] [--effect N|none|random]\n"
     "                           [--delay MS] [--duration MS] [--fps N] [--random] [--frame FILE]\n"
     "Plays the visible images of DIR in album order (or at random) as the window's slide show\n"
     "would at WxH (default 640x480): each transition (default random, DURATION default 1000)\n"
     "captured at most N frames a second (default 25), then the slide held for MS (default\n"
     "2000). --frame draws the one-frame GIF FILE over every still slide.\n",
     RunSlideShow},
    {"album", "list a folder's images in album order, or reorder and mark them",
     "usage: xelo-tool album DIR [--sort name|date|size|type|slides|reverse]\n"
     "                           [--hide NAME...] [--show NAME...]\n"
     "Prints one line per image in album order: position, name, format, width x height,\n"
     "hidden or shown, and the annotations present (t text, a audio, i ink).\n"
     "With --sort, --hide or --show the album is changed first and its album data file\n"
     "(xelo_album.xla) written, as the program does when it leaves the folder.\n",
     RunAlbum},
    {"frames", "list the frames of an image: rectangle, delay, disposal, transparency",
     "usage: xelo-tool frames FILE...\n"
     "Prints one line per frame: position and size, delay (1/100 s), disposal, transparent\n"
     "index (-1 none), interlaced, palette size.\n",
     RunFrames},
    {"exif", "print the Exif metadata of JPEG files",
     "usage: xelo-tool exif FILE...\n"
     "Prints the Exif groups of each file (\"Main Information\", ...) and their records as\n"
     "\"name: value\" lines. A file without Exif data says so.\n",
     RunExif},
    {"ink", "print the strokes of an ink file, or draw them onto their image",
     "usage: xelo-tool ink FILE.ink\n"
     "       xelo-tool ink IMAGE --merge -o OUT\n"
     "Prints the layer: object count and current object, the view block, then one line per\n"
     "object (class, kind, bounds, origin, pen, fill, strokes, points) and its strokes' points.\n"
     "A damaged file prints its error and exits 1.\n"
     "With --merge, draws the strokes of IMAGE.ink onto IMAGE at full size and writes OUT in\n"
     "IMAGE's own format and resolution, as Merge Ink does; IMAGE is left as it is.\n",
     RunInk},
    {"note", "print, set or remove the text note of an image",
     "usage: xelo-tool note IMAGE [--set TEXT | --remove]\n"
     "Prints the note kept in IMAGE.txt (UTF-16 with byte-order mark, UTF-8, or else\n"
     "Windows-1252). --set writes TEXT as the note (UTF-8, CRLF line ends) unless the note\n"
     "already says it; an empty TEXT or --remove deletes it.\n",
     RunNote},
    {"find", "list the images Find reaches, in the order it reaches them",
     "usage: xelo-tool find DIR [--name TEXT] [--metadata TEXT] [--size CLASS]\n"
     "                          [--type jpeg|gif|bmp] [--subfolders]\n"
     "Prints the full path of every image in DIR that passes the criteria, one a line, in\n"
     "the order Find Next reaches them: the folder's files by name, then with --subfolders\n"
     "each subfolder's tree in the folder tree's order. --name matches part of the file name\n"
     "in any case, --metadata part of an Exif value; CLASS is <50K, >50K, <100K, >100K,\n"
     "<200K or >200K (a size of exactly 50, 100 or 200 KiB passes both of its classes).\n",
     RunFind},
    {"snapname", "print the name the next screen capture gets",
     "usage: xelo-tool snapname DIR PREFIX bmp|jpeg|gif\n"
     "Prints PREFIX followed by the first number from 001 on (at least three digits) and the\n"
     "format's extension that names nothing in DIR yet.\n",
     RunSnapName},
    {"files", "copy, move, delete, duplicate or rename images with their side files",
     "usage: xelo-tool files copy|move SRC... DEST_DIR [--answers STRING]\n"
     "       xelo-tool files delete|duplicate FILE... [--answers STRING]\n"
     "       xelo-tool files rename FILE NEWNAME\n"
     "Handles each image together with its text, audio and ink files (IMAGE.txt, .wav, .ink)\n"
     "as the program's own commands do, and keeps the folders' album files in step. A move\n"
     "copies first and removes the source only once everything arrived. Questions (replace an\n"
     "existing file, delete a file) take one letter each from STRING: y yes, a yes to all,\n"
     "n no, c cancel; without STRING they are asked on a terminal, else answered no.\n"
     "duplicate prints the path of each copy. Exit status 0 when every file was handled,\n"
     "1 when any was skipped or failed, with one line for each such file on standard error.\n",
     RunFiles},
    {"save", "convert, resize or crop images as the save sheet does",
     "usage: xelo-tool save SRC... [--format jpg|gif|bmp|png] [--quality Q] [--colors N]\n"
     "                      [--dpi X,Y] [--append TEXT] [--dest DIR]\n"
     "                      [--resize PRESET | --size WxH | --crop X,Y,W,H] [--screen WxH]\n"
     "                      [--yes-to-all | --no]\n"
     "Writes each SRC as DIR/NAME+TEXT.EXT (DIR defaults to the source's folder), resized to a\n"
     "PRESET (fit-screen, 240, 320, 240x320, 640x480, 800x600, 1024x768, 80%, 75%, 50%) or\n"
     "WxH, or cropped. jpg takes quality Q (default 75), gif N colours (2-256, default 256),\n"
     "bmp 2, 16, 256 or 16777216 colours (default). Several sources are one batch, in album\n"
     "order within a folder; a file written into an album's folder joins the album. Existing\n"
     "files are overwritten only with --yes-to-all or when answered on a terminal.\n",
     RunSave},
    {"histogram", "print the luminance, red, green and blue counts of an image",
     "usage: xelo-tool histogram FILE\n"
     "Prints 256 lines \"value luminance red green blue\" counted over the image's 96x72\n"
     "thumbnail, as the Image Info sheet draws them.\n",
     RunHistogram},
    {"desktop", "open image types with the program, or give them back; launchers",
     "usage: xelo-tool desktop associate|release TYPE...\n"
     "associate makes Xelo Album the default program of each TYPE (an extension such as jpg\n"
     "or a MIME type such as image/jpeg) in $XDG_CONFIG_HOME/mimeapps.list and remembers the\n"
     "default it replaced; release gives each type back to that default. A type the user\n"
     "has given to another program since is left alone. Prints each type's state after.\n"
     "       xelo-tool desktop shortcut --folder DIR|--image FILE [--mode MODE]\n"
     "                                  [--at programs|desktop]\n"
     "       xelo-tool desktop shortcuts [--at programs|desktop]\n"
     "shortcut writes a launcher \"NAME - MODE\" that starts the program on DIR or FILE in\n"
     "MODE (an option letter such as l, or a name such as \"List mode\"; default Thumbnail or\n"
     "Filmstrip) in the user's applications folder or on the desktop, and prints its file.\n"
     "shortcuts lists the program's own launchers there: name, option and target, file.\n",
     RunDesktop},
    {"mail", "send images by e-mail through sendmail or an SMTP server, or save a draft",
     "usage: xelo-tool mail --to ADDR [--cc ADDR] [--subject TEXT] [--body TEXT]\n"
     "                      [--reduce RATIO] [--merge-ink] [--attach-text] [--attach-audio]\n"
     "                      (--smtp HOST[:PORT] [--tls|--starttls] [--user U] [--from ADDR]\n"
     "                       [--no-verify] [--timeout S] | --sendmail | --draft DIR) IMAGE...\n"
     "Attaches each IMAGE (with --reduce a copy at RATIO percent, 1-99; with --merge-ink a copy\n"
     "with its ink drawn in) and, when asked, its text and audio notes under the image's name,\n"
     "then sends the message. --to and --cc take addresses separated by ';'. A field that\n"
     "does not look like an address is asked about on standard input. --sendmail hands the\n"
     "message to the sendmail found on PATH; --smtp sends it to the server (port 25 plain,\n"
     "587 with --starttls, 465 with --tls; certificates checked unless --no-verify), logging\n"
     "in as U with the password in XELO_SMTP_PASSWORD, giving up after S seconds (default 60)\n"
     "without an answer; --draft writes it to DIR as .eml and prints its path. An image that\n"
     "cannot be attached is reported and skipped.\n",
     RunMailProgram},
};

void PrintHelp() {
    std::printf("usage: xelo-tool VERB [ARGS...]\n\nVerbs:\n");
    for (const Verb& v : kVerbs)
        std::printf("  %-10s %s\n", v.name, v.summary);
    std::printf(
        "\n'xelo-tool VERB --help' describes one verb. After '--' every word is a file\n"
        "name, even one starting with '-'.\n");
}

}  // namespace



}  // namespace xelo::tool

int main(int argc, char** argv) {
    using namespace xelo::tool;
    UseLargePageHeap();
    if (argc < 2 || std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
        PrintHelp();
        return argc < 2 ? 2 : 0;
    }
    for (const Verb& v : kVerbs) {
        if (std::strcmp(argv[1], v.name) != 0) continue;
        std::vector<std::string> args(argv + 2, argv + argc);
        for (const std::string& a : args) {
            if (a == "--") break;  // what follows are names, whatever they look like
            if (a == "--help" || a == "-h") {
                std::printf("%s", v.usage);
                return 0;
            }
        }
        return v.run(args);
    }
    std::fprintf(stderr, "xelo-tool: unknown verb '%s'\n", argv[1]);
    PrintHelp();
    return 2;
}
