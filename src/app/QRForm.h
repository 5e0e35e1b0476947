#pragma once
// TQRForm: the QR content assistant. Fields of an address-book entry, a mail or a bookmark
// become the text mobile phones read ("MECARD:", "MATMSG:", "MEBKM:"); the text goes into the
// main window's data field, is generated there, and its symbol shows on the fourth page. The
// mail page keeps the addresses used in "Address.txt" beside the program.
#include <string>
#include <vector>

#include "app/Services.h"
#include "components/Controls.h"

namespace zerbo::app {

class TZerboCode;

// The texts of the three pages, assembled as the phones read them.
std::u16string AddressBookText(const std::u16string& familyName, const std::u16string& givenName,
                               const std::u16string& familyReading, const std::u16string& givenReading,
                               const std::u16string& phone1, const std::u16string& phone2, const std::u16string& mail1,
                               const std::u16string& mail2, const std::u16string& note);
std::u16string MailText(const std::u16string& to1, const std::u16string& to2, const std::u16string& subject,
                        const std::u16string& body);
// `url` gets a "\" before its first "://", as the bookmark field is written back.
std::u16string BookmarkText(const std::u16string& title, std::u16string& url);

// Merges the addresses into the list: the first one used stays first, each new one enters at
// the second place, and one that differs only in case is not added again.
void UpdateAddressHistory(std::vector<std::u16string>& addresses, const std::u16string& address);

// How many addresses the two lists offer, the most recent first after the first one.
inline constexpr size_t kListedAddresses = 1000;

class TQRForm : public TForm {
public:
    TQRForm(TZerboCode& main, const TZerboServices& services);

    TPageControl PC1{u"PC1"};
    TTabSheet P1{u"P1"}, P2{u"P2"}, P3{u"P3"}, P4{u"P4"};
    TLabel Label1{u"Label1"}, Label2{u"Label2"}, Label3{u"Label3"}, Label4{u"Label4"}, Label5{u"Label5"},
        Label6{u"Label6"}, Label7{u"Label7"}, Label8{u"Label8"};
    TTextEdit KFirstN{u"KFirstN"}, KLastN{u"KLastN"}, FirstN{u"FirstN"}, LastN{u"LastN"}, Phone1{u"Phone1"},
        Phone2{u"Phone2"}, mail1{u"mail1"}, mail2{u"mail2"}, Note{u"Note"};
    TLabel Label9{u"Label9"}, Label10{u"Label10"}, Label11{u"Label11"}, Label12{u"Label12"};
    TComboList Address1{u"Address1"}, Address2{u"Address2"};
    TTextEdit Sub{u"Sub"}, Body{u"Body"};
    TLabel Label13{u"Label13"}, Label14{u"Label14"};
    TTextEdit SiteN{u"SiteN"}, UrlN{u"UrlN"};
    TPictureControl Image1{u"Image1"};
    TButton Button1{u"Button1"}, Button2{u"Button2"};

    // The address file and the addresses it holds.
    std::u16string AFile;
    std::vector<std::u16string> MAd;

    void FormCreate();
    void Button1Click(TObject* Sender);
    void UpdateAddressHistory();
    void FormCloseQuery(bool& CanClose);

private:
    void fillAddressLists();

    TZerboCode& main_;
    TZerboServices services_;
};

} // namespace zerbo::app
