// The vCard reader and the contact book built on it.
#include <gtest/gtest.h>

#include <fstream>

#include "image/TavoException.h"
#include "share/ContactBook.h"
#include "support/TempDir.h"

namespace xelo {
namespace {

void Write(const std::string& path, const std::string& bytes) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

// A card with folded lines, a quoted-printable name and two addresses lists both addresses.
TEST(ContactBook, FoldedQuotedPrintableCardListsBothAddresses) {
    test::TempDir dir;
    Write(dir.File("book/default/a.vcf"),
          "BEGIN:VCARD\r\nVERSION:3.0\r\n"
          "FN;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:J=C3=BCrgen M=\r\n=C3=BCller\r\n"
          "EMAIL;TYPE=INTERNET:juergen@exam\r\n ple.org\r\n"
          "EMAIL;TYPE=INTERNET,HOME:\r\n\tj.m@example.com\r\nEND:VCARD\r\n");
    Write(dir.File("book/other/b.VCF"),  // the same person twice, and one without an address
          "BEGIN:VCARD\nFN:alice\nEMAIL:al@x.org\nEMAIL:a@\nEMAIL:nope\nEND:VCARD\n"
          "BEGIN:VCARD\nFN:Jürgen Müller\nEMAIL:juergen@example.org\nEND:VCARD\n");
    CContactBook book;
    book.LoadFolders({dir.File("book"), dir.File("missing")});
    const std::vector<ContactRow> rows = book.Rows();
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].name, "alice");
    EXPECT_EQ(rows[1].name, "Jürgen Müller");
    EXPECT_EQ(rows[1].address, "juergen@example.org");
    EXPECT_EQ(rows[2].address, "j.m@example.com");

    CContactBook chosen;  // a chosen file that is not there is an error, not an empty book
    EXPECT_THROW(chosen.LoadFile(dir.File("nothing.vcf")), CTavoException);
}

struct Case {
    const char* what;
    std::string bytes;
    std::vector<std::string> names;   // of every card, in order
    std::vector<std::string> emails;  // of the first card
};

class VCardCases : public ::testing::TestWithParam<Case> {};

TEST_P(VCardCases, ReadsNamesAndAddresses) {
    const Case& c = GetParam();
    const std::vector<VCardContact> cards = ParseVCards(c.bytes);
    std::vector<std::string> names;
    for (const VCardContact& card : cards)
        names.push_back(card.name);
    EXPECT_EQ(names, c.names);
    EXPECT_EQ(cards.empty() ? std::vector<std::string>{} : cards[0].emails, c.emails);
}

INSTANTIATE_TEST_SUITE_P(
    Tricky, VCardCases,
    ::testing::Values(
        Case{"4.0 PREF orders addresses, mailto uri is stripped",
             "BEGIN:VCARD\nVERSION:4.0\nN:Doe;Jane;Q.;Dr.;\nEMAIL;PREF=2:two@x.org\n"
             "EMAIL:three@x.org\nEMAIL;VALUE=uri;PREF=1:mailto:one@x.org\nEND:VCARD\n",
             {"Dr. Jane Q. Doe"},
             {"one@x.org", "two@x.org", "three@x.org"}},
        Case{"3.0 TYPE=pref and group prefixes",
             "BEGIN:VCARD\r\nVERSION:3.0\r\nitem1.EMAIL;type=INTERNET:a@x.org\r\n"
             "item2.EMAIL;type=INTERNET;type=pref:b@x.org\r\nitem2.X-ABLabel:_$!<Other>!$_\r\n"
             "ORG:Acme\\; Co;Sales\r\nEND:VCARD\r\n",
             {"Acme; Co"},
             {"b@x.org", "a@x.org"}},
        Case{"escaped commas and semicolons in FN",
             "BEGIN:VCARD\nFN:Doe\\, John \\\\ Jr\\;\nEMAIL:j@x.org\nEND:VCARD\n",
             {"Doe, John \\ Jr;"},
             {"j@x.org"}},
        Case{"ISO-8859-1 quoted-printable, a soft break then a fold, 2.1 bare parameters",
             "BEGIN:VCARD\r\nVERSION:2.1\r\nN;CHARSET=ISO-8859-1;QUOTED-PRINTABLE:G=F6tz;Ren=\r\n"
             " =E9\r\nEMAIL;INTERNET;PREF:r@x.org\r\nEND:VCARD\r\n",
             {"René Götz"},
             {"r@x.org"}},
        Case{"undeclared Windows-1252 bytes become UTF-8",
             "BEGIN:VCARD\nFN:Fran\xE7ois \x80\nEND:VCARD\n",
             {"François €"},
             {}},
        Case{"truncated input keeps the cut card; a nested AGENT card is not a contact",
             "BEGIN:VCARD\nFN:Outer\nAGENT:\nBEGIN:VCARD\nFN:Inner\nEMAIL:in@x.org\nEND:VCARD\n"
             "END:VCARD\nEND:VCARD\nBEGIN:VCARD\nEMAIL:cut@x.org\nFN;ENCODING=QUOTED-PRINTABLE:C=",
             {"Outer", "C"},
             {}},
        Case{"no property line, no card", "BEGIN\nVCARD\n:\n;;;\n", {}, {}}),
    [](const auto& info) { return "case" + std::to_string(info.index); });

TEST(VCard, LimitsRaiseTheFormatError) {
    VCardLimits limits;
    limits.maxLineBytes = 100;
    limits.maxCards = 2;
    const std::string longFolded =
        "BEGIN:VCARD\nFN:" + std::string(60, 'a') + "\n " + std::string(60, 'b') + "\nEND:VCARD\n";
    const std::string card = "BEGIN:VCARD\nFN:x\nEND:VCARD\n";
    for (const std::string& bytes : {longFolded, card + card + card}) {
        try {
            ParseVCards(bytes, limits);
            ADD_FAILURE() << "accepted " << bytes.size() << " bytes";
        } catch (const CTavoException& e) {
            EXPECT_EQ(e.GetCode(), kErrFormatInvalid);
        }
    }
    EXPECT_EQ(ParseVCards(card + card, limits).size(), 2u);
}

}  // namespace
}  // namespace xelo
