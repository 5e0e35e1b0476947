#include "automation/Auto.h"

#include "core/Error.h"

namespace zerbo::automation {

namespace {

bool inRange(int32_t value, int32_t low, int32_t high) { return value >= low && value <= high; }

// A list changes its selection only: its change handling does not run.
void select(TComboList& list, int32_t value, int32_t high) {
    if (inRange(value, 0, high)) list.SetItemIndex(value);
}

// Like a click on the box when the state changes; the same state does nothing.
void check(TCheckBox& box, int32_t value) { box.SetChecked(value != 0); }

// The number as the edit's text, unclamped; a changed text runs the edit's change handling.
void spin(TWinSpinEdit& edit, int32_t value, int32_t high) {
    if (inRange(value, 0, high)) edit.SetValue(value);
}

// The low 32 bits, as the interface carries them.
int32_t low32(int64_t value) { return static_cast<int32_t>(static_cast<uint32_t>(value)); }

// A text for a field: no longer than any field takes.
const std::u16string& fieldText(const std::u16string& value) {
    if (value.size() > app::kMaxDataLength) throw Exception(u"文字列が長すぎます");
    return value;
}

std::u16string firstChar(const std::u16string& value) {
    if (value.empty()) throw Exception(u"空の文字列は指定できません");
    return value.substr(0, 1);
}

} // namespace

std::u16string TAuto::Code() const { return z_.EditCode.Text(); }
void TAuto::SetCode(const std::u16string& value) { z_.EditCode.SetText(fieldText(value)); }
int32_t TAuto::CodeType() const { return z_.CdType.ItemIndex(); }
void TAuto::SetCodeType(int32_t value) { select(z_.CdType, value, app::kQRCodeType); }
int32_t TAuto::BarScale() const { return z_.ThinWd.ItemIndex(); }
void TAuto::SetBarScale(int32_t value) { select(z_.ThinWd, value, 2); }
int32_t TAuto::BoxDraw() const { return z_.BoxDraw.Checked(); }
void TAuto::SetBoxDraw(int32_t value) { check(z_.BoxDraw, value); }
int32_t TAuto::QRVersion() { return low32(z_.QRVer.Value()); }
void TAuto::SetQRVersion(int32_t value) { spin(z_.QRVer, value, 40); }
int32_t TAuto::QRErrLevel() const { return z_.QRErr.ItemIndex(); }
void TAuto::SetQRErrLevel(int32_t value) { select(z_.QRErr, value, 3); }
int32_t TAuto::AddCodeChar() const { return z_.AddCodeChar.Checked(); }
void TAuto::SetAddCodeChar(int32_t value) { check(z_.AddCodeChar, value); }
int32_t TAuto::AddComment() const { return z_.Comnt.Checked(); }
void TAuto::SetAddComment(int32_t value) { check(z_.Comnt, value); }
std::u16string TAuto::FontName() const { return z_.BarImage1.BarFont().Name; }
void TAuto::SetFontName(const std::u16string& value) { z_.BarImage1.BarFont().Name = fieldText(value); }
std::u16string TAuto::Comment() const { return z_.ComntStr.Text(); }
void TAuto::SetComment(const std::u16string& value) { z_.ComntStr.SetText(fieldText(value)); }
int32_t TAuto::CommentPos() const { return z_.ComntPos.ItemIndex(); }
void TAuto::SetCommentPos(int32_t value) { select(z_.ComntPos, value, 1); }
int32_t TAuto::CommentAlign() const { return z_.ComntAl.ItemIndex(); }
void TAuto::SetCommentAlign(int32_t value) { select(z_.ComntAl, value, 2); }
int32_t TAuto::Height() { return low32(z_.BarHeight.Value()); }
void TAuto::SetHeight(int32_t value) { spin(z_.BarHeight, value, 200); }
int32_t TAuto::HMargin() { return low32(z_.LeftMargin.Value()); }
void TAuto::SetHMargin(int32_t value) { spin(z_.LeftMargin, value, 100); }
int32_t TAuto::VMargin() { return low32(z_.TopMargin.Value()); }
void TAuto::SetVMargin(int32_t value) { spin(z_.TopMargin, value, 100); }
int32_t TAuto::CopyType() const { return z_.BarImage1.BarPicture(); }

void TAuto::SetCopyType(int32_t value) {
    if (inRange(value, barcode::pbarBMP, barcode::pbarWMF)) z_.BarImage1.SetBarPicture(static_cast<barcode::TBarPictures>(value));
}

int32_t TAuto::Visible() const { return form_.ShowAtStart(); }
void TAuto::SetVisible(int32_t value) { form_.SetShowAtStart(value != 0); }

void TAuto::Show(int32_t mode) {
    form_.SetShowAtStart(mode != 0);
    if (mode == 0)
        form_.Hide();
    else
        form_.Show();
}

int32_t TAuto::Execute() {
    // The user's automatic copy comes back however the run ends.
    struct TRestore {
        TMenuItem& item;
        bool checked;
        ~TRestore() { item.SetChecked(checked); }
    } restore{z_.AutoCopy, z_.AutoCopy.Checked()};
    z_.AutoCopy.SetChecked(true);
    z_.RB_Click(&z_);
    return z_.BError ? -1 : 0;
}

int32_t TAuto::FontSize() const { return z_.BarImage1.BarFont().Size(); }
void TAuto::SetFontSize(int32_t value) { z_.BarImage1.BarFont().SetSize(value); }
int32_t TAuto::SaveFile(const std::u16string& fileName) { return z_.SaveFile(fileName) ? 1 : 0; }
int32_t TAuto::BarColor() const { return static_cast<int32_t>(z_.BarImage1.BarColor()); }
void TAuto::SetBarColor(int32_t value) { z_.BarImage1.SetBarColor(static_cast<TColor>(value)); }
int32_t TAuto::BackColor() const { return static_cast<int32_t>(z_.BarImage1.BackColor()); }
void TAuto::SetBackColor(int32_t value) { z_.BarImage1.SetBackColor(static_cast<TColor>(value)); }
int32_t TAuto::SpecialCode() const { return z_.SpCode.Checked(); }
void TAuto::SetSpecialCode(int32_t value) { check(z_.SpCode, value); }
int32_t TAuto::CheckDigit() const { return z_.CHB1.Checked(); }
void TAuto::SetCheckDigit(int32_t value) { check(z_.CHB1, value); }
std::u16string TAuto::StartChar() const { return z_.Edit2.Text(); }
void TAuto::SetStartChar(const std::u16string& value) { z_.Edit2.SetText(firstChar(value)); }
std::u16string TAuto::StopChar() const { return z_.Edit3.Text(); }
void TAuto::SetStopChar(const std::u16string& value) { z_.Edit3.SetText(firstChar(value)); }

} // namespace zerbo::automation
