// Reading contacts from vCard files (versions 2.1, 3.0 and 4.0): each card's file-as name and
// its e-mail addresses. The bytes are untrusted.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace xelo {

struct VCardContact {
    // FN, else the name built from N, else the first part of ORG, else the first address.
    std::string name;
    // Every EMAIL of the card, unescaped and trimmed: preferred ones first, then in file order.
    std::vector<std::string> emails;
};

struct VCardLimits {
    size_t maxLineBytes = 8u << 20;  // one unfolded property (embedded photos are the long ones)
    size_t maxCards = 100000;
    size_t maxEmailsPerCard = 64;  // further addresses of a card are dropped
};

// Every card in `bytes`, in file order; all texts are UTF-8. Line folding, property groups,
// quoted-printable values with their soft line breaks, CHARSET (UTF-8, ISO-8859-1,
// Windows-1252, US-ASCII), escapes and cards nested in cards (2.1 AGENT) are understood; a card
// cut off by the end of the data keeps what it had. A property longer than the limit or more
// cards than the limit raise 46024.
std::vector<VCardContact> ParseVCards(std::string_view bytes, const VCardLimits& limits = {});

}  // namespace xelo
