#include "app/QRForm.h"

#include <algorithm>

#include "app/QRText.h"
#include "app/ZerboCode.h"
#include "core/Error.h"
#include "core/Path.h"
#include "core/Text.h"

namespace zerbo::app {

namespace {

using F = TQRForm;
template <auto Member>
constexpr auto M = &LayoutMember<Member>;

// Positions within the page control and its pages.
constexpr TLayoutEntry kLayout[] = {
    {M<&F::PC1>, nullptr, 8, 4, 337, 197, u""},
    {M<&F::P1>, M<&F::PC1>, 0, 0, 0, 0, u"アドレス帳"},
    {M<&F::Label1>, M<&F::P1>, 96, 0, 0, 0, u"姓"},
    {M<&F::Label2>, M<&F::P1>, 212, 0, 0, 0, u"名"},
    {M<&F::Label3>, M<&F::P1>, 52, 20, 0, 0, u"漢字名"},
    {M<&F::KFirstN>, M<&F::P1>, 96, 16, 110, 0, u""},
    {M<&F::KLastN>, M<&F::P1>, 212, 16, 110, 0, u""},
    {M<&F::Label4>, M<&F::P1>, 48, 44, 0, 0, u"フリガナ"},
    {M<&F::FirstN>, M<&F::P1>, 96, 40, 110, 0, u""},
    {M<&F::LastN>, M<&F::P1>, 212, 40, 110, 0, u""},
    {M<&F::Label5>, M<&F::P1>, 40, 72, 0, 0, u"電話番号"},
    {M<&F::Phone1>, M<&F::P1>, 96, 68, 110, 0, u""},
    {M<&F::Phone2>, M<&F::P1>, 212, 68, 110, 0, u""},
    {M<&F::Label6>, M<&F::P1>, 8, 100, 0, 0, u"メールアドレス１"},
    {M<&F::mail1>, M<&F::P1>, 96, 96, 225, 0, u""},
    {M<&F::Label7>, M<&F::P1>, 8, 124, 0, 0, u"メールアドレス２"},
    {M<&F::mail2>, M<&F::P1>, 96, 120, 225, 0, u""},
    {M<&F::Label8>, M<&F::P1>, 68, 148, 0, 0, u"メモ"},
    {M<&F::Note>, M<&F::P1>, 96, 144, 225, 0, u""},
    {M<&F::P2>, M<&F::PC1>, 0, 0, 0, 0, u"メール連携"},
    {M<&F::Label9>, M<&F::P2>, 4, 12, 0, 0, u"宛先１"},
    {M<&F::Address1>, M<&F::P2>, 48, 8, 273, 0, u""},
    {M<&F::Label10>, M<&F::P2>, 4, 36, 0, 0, u"宛先２"},
    {M<&F::Address2>, M<&F::P2>, 48, 32, 273, 0, u""},
    {M<&F::Label11>, M<&F::P2>, 12, 64, 0, 0, u"表題"},
    {M<&F::Sub>, M<&F::P2>, 48, 60, 273, 0, u""},
    {M<&F::Label12>, M<&F::P2>, 12, 92, 0, 0, u"本文"},
    {M<&F::Body>, M<&F::P2>, 48, 88, 273, 77, u""},
    {M<&F::P3>, M<&F::PC1>, 0, 0, 0, 0, u"ブックマーク"},
    {M<&F::Label13>, M<&F::P3>, 12, 20, 0, 0, u"サイト名"},
    {M<&F::SiteN>, M<&F::P3>, 64, 16, 253, 0, u""},
    {M<&F::Label14>, M<&F::P3>, 28, 48, 0, 0, u"ＵＲＬ"},
    {M<&F::UrlN>, M<&F::P3>, 64, 44, 253, 0, u""},
    {M<&F::P4>, M<&F::PC1>, 0, 0, 0, 0, u"QRコード"},
    {M<&F::Image1>, M<&F::P4>, 8, 8, 0, 0, u""},
    {M<&F::Button1>, nullptr, 184, 208, 75, 23, u"作成(&S)"},
    {M<&F::Button2>, nullptr, 268, 208, 75, 23, u"キャンセル(&C)"},
};

// "<tag><first>[,<second>];" when the first is there; a second alone is left out.
void appendPair(std::u16string& s, std::u16string_view tag, const std::u16string& first, const std::u16string& second) {
    if (first.empty()) return;
    s.append(tag).append(first);
    if (!second.empty()) s.append(u",").append(second);
    s += u';';
}

void appendField(std::u16string& s, std::u16string_view tag, const std::u16string& value) {
    if (!value.empty()) s.append(tag).append(value).append(u";");
}

} // namespace

std::u16string AddressBookText(const std::u16string& familyName, const std::u16string& givenName,
                               const std::u16string& familyReading, const std::u16string& givenReading,
                               const std::u16string& phone1, const std::u16string& phone2, const std::u16string& mail1,
                               const std::u16string& mail2, const std::u16string& note) {
    std::u16string s = u"MECARD:";
    appendPair(s, u"N:", familyName, givenName);
    appendPair(s, u"SOUND:", familyReading, givenReading);
    appendField(s, u"TEL:", phone1);
    appendField(s, u"TEL:", phone2);
    appendField(s, u"EMAIL:", mail1);
    appendField(s, u"EMAIL:", mail2);
    appendField(s, u"NOTE:", note);
    return s + u';';
}

std::u16string MailText(const std::u16string& to1, const std::u16string& to2, const std::u16string& subject,
                        const std::u16string& body) {
    std::u16string s = u"MATMSG:";
    appendField(s, u"TO:", to1);
    appendField(s, u"TO:", to2);
    appendField(s, u"SUB:", subject);
    appendField(s, u"BODY:", body);
    return s + u';';
}

std::u16string BookmarkText(const std::u16string& title, std::u16string& url) {
    std::u16string s = u"MEBKM:";
    appendField(s, u"TITLE:", title);
    if (!url.empty()) {
        if (const size_t at = url.find(u"://"); at != std::u16string::npos) url = url.substr(0, at) + u"\\" + url.substr(at);
        appendField(s, u"URL:", url);
    }
    return s + u';';
}

void UpdateAddressHistory(std::vector<std::u16string>& addresses, const std::u16string& address) {
    if (address.empty()) return;
    if (addresses.empty()) {
        addresses.push_back(address);
        return;
    }
    const std::u16string lower = LowerAscii(address);
    for (const auto& known : addresses)
        if (LowerAscii(known) == lower) return;
    addresses.insert(addresses.begin() + 1, address);
}

TQRForm::TQRForm(TZerboCode& main, const TZerboServices& services)
    : TForm(u"QRForm"), main_(main), services_(services) {
    SetCaption(u"QRコード補助(DoCoMo用)");
    SetBounds(0, 0, 351, 236);
    StayOnTop = true;
    Position = TFormPosition::MainFormTopLeft;
    ApplyLayout(*this, kLayout);
    Address1.Style = Address2.Style = TComboStyle::csDropDown;
    Body.MultiLine = true;
    for (TTextEdit* e : {&KFirstN, &KLastN, &Note}) e->ImeMode = TImeMode::imHira;
    for (TTextEdit* e : {&FirstN, &LastN}) e->ImeMode = TImeMode::imSKata;
    for (TTextEdit* e : {&Phone1, &Phone2, &mail1, &mail2}) e->ImeMode = TImeMode::imClose;
    PC1.SetActivePageIndex(0);
    Button2.ModalResult = mrCancel;
    Cancel = &Button2;
    Button1.OnClick = [this](TObject* s) { Button1Click(s); };
    OnCloseQuery = [this](bool& can) { FormCloseQuery(can); };
    FormCreate();
}

void TQRForm::FormCreate() {
    IComponentPlatform& files = services_.Files;
    AFile = ExtractFilePath(files.PathDelimiters(), files.ProgramFileName()) + u"Address.txt";
    std::string bytes;
    if (files.ReadFile(AFile, bytes) == IComponentPlatform::ReadResult::Ok) {
        // Line by line, as the string list reads the file; a line that is no code page 932
        // text, or longer than any field takes, is passed over.
        size_t start = 0;
        while (start < bytes.size()) {
            size_t end = bytes.find_first_of("\r\n", start);
            if (end == std::string::npos) end = bytes.size();
            const std::string_view line(bytes.data() + start, end - start);
            if (line.size() <= kMaxDataLength)
                if (const auto text = files.DecodeCp932(line)) MAd.push_back(*text);
            start = end + (bytes.compare(end, 2, "\r\n") == 0 ? 2 : 1);
        }
    }
    fillAddressLists();
}

void TQRForm::fillAddressLists() {
    // The lists offer the first addresses only: a file of thousands makes a list no one picks
    // from, and fills it for seconds. The file keeps them all.
    const auto shown = std::min(MAd.size(), kListedAddresses);
    const std::vector<std::u16string> items(MAd.begin(), MAd.begin() + static_cast<std::ptrdiff_t>(shown));
    for (TComboList* list : {&Address1, &Address2}) {
        const std::u16string typed = list->Text();
        list->SetItems(items);
        list->SetText(typed);
    }
}

void TQRForm::Button1Click(TObject*) {
    std::u16string s;
    switch (PC1.ActivePageIndex()) {
    case 0:
        s = AddressBookText(KFirstN.Text(), KLastN.Text(), FirstN.Text(), LastN.Text(), Phone1.Text(), Phone2.Text(),
                            mail1.Text(), mail2.Text(), Note.Text());
        break;
    case 1:
        s = MailText(Address1.Text(), Address2.Text(), Sub.Text(), Body.Text());
        break;
    case 2: {
        std::u16string url = UrlN.Text();
        s = BookmarkText(SiteN.Text(), url);
        if (!UrlN.Text().empty()) UrlN.SetText(url);
        break;
    }
    default:
        return;
    }
    main_.EditCode.SetText(s);
    main_.RB_Click(&main_);
    if (PC1.ActivePageIndex() == 1) UpdateAddressHistory();
    Image1.SetPicture(&main_.Image1.Picture());
    PC1.SetActivePageIndex(3);
}

void TQRForm::UpdateAddressHistory() {
    for (const TComboList* field : {&Address1, &Address2}) app::UpdateAddressHistory(MAd, field->Text());
    fillAddressLists();
}

void TQRForm::FormCloseQuery(bool& CanClose) {
    CanClose = true;
    if (MAd.empty()) return;
    std::string bytes;
    for (const std::u16string& address : MAd) bytes += ToAnsi(services_.Files, address) + "\r\n";
    if (!services_.Files.ReplaceFile(AFile, bytes)) throw Exception(FormatText(u"%s に書き込めません", AFile));
}

} // namespace zerbo::app
