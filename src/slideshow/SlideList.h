// The slides of a show: the visible images of the album in album order, copied out of the
// document when the show starts so that the preload thread shares nothing with the window.
#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace xelo {

class CTavoDoc;

struct SlideItem {
    std::string path;  // the image file
    std::string name;  // its file name, for the text overlay and the Go To Slide menu
    int width = 0;
    int height = 0;
    int frames = 1;
};

// The images of `doc` whose hidden flag is clear, in album order; `albumIndex` receives each
// one's position in the document.
std::vector<SlideItem> VisibleSlides(const CTavoDoc& doc, std::vector<int>* albumIndex = nullptr);
// Whether `doc` has an image whose hidden flag is clear: something a slide show can play.
bool HasVisibleSlides(const CTavoDoc& doc);

// The play order over `count` slides: 0..count-1, or a random permutation drawn slide by slide
// (each into the first free place at or after a random one, wrapping to the front).
std::vector<int> BuildPlayOrder(int count, bool random, std::mt19937& rng);

}  // namespace xelo
