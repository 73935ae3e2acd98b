// The checks of "Send via E-mail" apart from the window: which address fields count, when the
// user is asked about one, and the reduction ratio a send uses.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace xelo {

constexpr int kMinMailRatio = 1;
constexpr int kMaxMailRatio = 99;
// The ratio of a prepared copy when Reduce is off but Merge ink needs a copy anyway.
constexpr int kUnusedMailRatio = 50;

std::string TrimBoth(std::string_view text);
std::string TrimEnd(std::string_view text);

// A field that looks like an address: trimmed, it holds "@" and is longer than 2 characters.
bool LooksLikeAddress(std::string_view field);
// Send is offered only when To or Cc looks like an address.
bool CanSend(std::string_view to, std::string_view cc);
// A field the user must confirm before sending: not empty once trimmed, yet not like an address.
bool NeedsAddressConfirmation(std::string_view field);

// A text read as a decimal integer up to its first non-digit ("50%" reads 50); none without
// digits.
std::optional<int> ParseLeadingInt(std::string_view text);
// The ratio a send uses: the parsed one within 1-99; out of range (or unreadable) it is 50 when
// Reduce is off, and none when it is on (the dialog refuses to send).
std::optional<int> EffectiveRatio(std::string_view text, bool reduce);
// "75%": how the combo shows a ratio.
std::string RatioText(int ratio);

// The addresses of one field: split at ";" and ",", each trimmed, empty parts dropped.
std::vector<std::string> SplitAddresses(std::string_view field);
// Addresses joined as the edits show them: "a@x; b@y".
std::string JoinAddresses(const std::vector<std::string>& addresses);

}  // namespace xelo
