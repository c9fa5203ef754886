#include "options/OptionsModel.h"

#include <array>

#include "common/Cp1251.h"
#include "config/Localization.h"
#include "config/Settings.h"
#include "document/DocValues.h"
#include "hyphen/FontTables.h"
#include "pipeline/Title.h"

namespace pm {
namespace {

constexpr int32_t kLongerOff = 2147483647;  // "Strings longer than" switched off
constexpr int32_t kRuleLength = 80;         // the length a switched-on line rule starts with
constexpr int32_t kEmptyLinesOn = 2;        // the count "2 and more empty lines" starts with
constexpr const char* kJustifiedParagraph = "<div align=\"justify\">";

// The on/off rows that are one boolean setting each.
struct BoolRow {
    int row;
    bool Settings::*member;
    void (Settings::*setter)(bool);
};
constexpr std::array kBoolRows = {
    BoolRow{kRowHyphenate, &Settings::Hyphenate, &Settings::SetHyphenate},
    BoolRow{9, &Settings::BreakTextApartByToc, &Settings::SetBreakTextApartByToc},
    BoolRow{kRowRemoveAllHtml, &Settings::RemoveAllHtml, &Settings::SetRemoveAllHtml},
    BoolRow{12, &Settings::KillLinks, &Settings::SetKillLinks},
    BoolRow{13, &Settings::KillGraph, &Settings::SetKillGraph},
    BoolRow{14, &Settings::KillFormsScripts, &Settings::SetKillFormsScripts},
    BoolRow{15, &Settings::KillPreTags, &Settings::SetKillPreTags},
    BoolRow{16, &Settings::KillSpanTags, &Settings::SetKillSpanTags},
    BoolRow{17, &Settings::KillFontTags, &Settings::SetKillFontTags},
    BoolRow{18, &Settings::KillStylesAndClasses, &Settings::SetKillStylesAndClasses},
    BoolRow{19, &Settings::ConvertPToDiv, &Settings::SetConvertPToDiv},
    BoolRow{20, &Settings::ConvertBrToDiv, &Settings::SetConvertBrToDiv},
    BoolRow{21, &Settings::AddNbsp, &Settings::SetAddNbsp},
    BoolRow{25, &Settings::SpacesAtStartToDiv, &Settings::SetSpacesAtStartToDiv},
    BoolRow{26, &Settings::DialogsToDiv, &Settings::SetDialogsToDiv},
    BoolRow{27, &Settings::EmptyLineToDiv, &Settings::SetEmptyLineToDiv},
    BoolRow{kRowEpigraphs, &Settings::DetectEpigraphs, &Settings::SetDetectEpigraphs},
    BoolRow{30, &Settings::TryToRestoreDirs, &Settings::SetTryToRestoreDirs},
    BoolRow{33, &Settings::DetectHeaders, &Settings::SetDetectHeaders},
    BoolRow{34, &Settings::InsertHr, &Settings::SetInsertHr},
    BoolRow{35, &Settings::CreateToc, &Settings::SetCreateToc},
    BoolRow{38, &Settings::UnderscoreToItalic, &Settings::SetUnderscoreToItalic},
    BoolRow{39, &Settings::ConvertBrackets, &Settings::SetConvertBrackets},
    BoolRow{40, &Settings::ConvertQuotes, &Settings::SetConvertQuotes},
    BoolRow{41, &Settings::ConvertDashes, &Settings::SetConvertDashes},
    BoolRow{42, &Settings::ConvertThreePoints, &Settings::SetConvertThreePoints},
    BoolRow{46, &Settings::WrapInSrc, &Settings::SetWrapInSrc},
    BoolRow{47, &Settings::WrapInHtml, &Settings::SetWrapInHtml},
    BoolRow{kRowShowHtml, &Settings::ShowHtml, &Settings::SetShowHtml},
    BoolRow{kRowUseSourceEditor, &Settings::UseSourceEditor, &Settings::SetUseSourceEditor},
    BoolRow{50, &Settings::IndependentBrowserWidth, &Settings::SetIndependentBrowserWidth},
    BoolRow{51, &Settings::ConfirmToc, &Settings::SetConfirmToc},
    BoolRow{52, &Settings::AskAboutTitle, &Settings::SetAskAboutTitle},
    BoolRow{53, &Settings::TrySplitTitle, &Settings::SetTrySplitTitle},
    BoolRow{54, &Settings::UseSystemTemp, &Settings::SetUseSystemTemp},
    BoolRow{57, &Settings::LoadSafely, &Settings::SetLoadSafely},
};

const BoolRow* FindBoolRow(int row) {
    for (const BoolRow& b : kBoolRows)
        if (b.row == row) return &b;
    return nullptr;
}

const OptionRow* RowAt(int row) { return row >= 0 && row < kRowCount ? &OptionRows()[size_t(row)] : nullptr; }

std::string Quoted(const std::string& prefix, const std::string& value) { return prefix + ": \"" + value + "\""; }

// <div ...> closed by </p>, or <p ...> closed by </div>.
bool TagsMismatch(const std::string& start, const std::string& end) {
    const std::string s = cp1251::UpperCase(start), e = cp1251::UpperCase(end);
    return (s.find("<DIV") != std::string::npos && e.find("</P") != std::string::npos) ||
           (s.find("<P") != std::string::npos && e.find("</DIV") != std::string::npos);
}

}  // namespace

OptionsModel::OptionsModel(Settings& settings, DocValues& doc, const InterfaceTexts& texts)
    : s_(settings), doc_(doc), texts_(texts) {}

bool OptionsModel::On(int row) const {
    if (const BoolRow* b = FindBoolRow(row)) return s_.*(b->member);
    switch (row) {
        case kRowLonger: return s_.LongStringsMin != kLongerOff;
        case kRowShorter: return s_.ShortStringsMax > 0;
        case kRowEmptyLines: return s_.DetectTwoEmptyLines > 0;
        case kRowParagraphTag: return !s_.ParagraphStartTag.empty();
        case kRowHeaderTag: return !s_.HeadStartTag.empty();
        case kRowIntegrate: return shell && shell->Integrated();
        default: return false;
    }
}

bool OptionsModel::Disabled(int row) const {
    if (row >= kRowFirstHtmlOption && row <= kRowLastHtmlOption) return s_.RemoveAllHtml;
    return row == kRowIntegrate && !shell;
}

int OptionsModel::Image(int row) const {
    const OptionRow* r = RowAt(row);
    if (!r) return kImageGroup;
    if (r->kind == RowKind::Group) return kImageGroup;
    if (r->kind == RowKind::Value) return kImageValues;
    if (Disabled(row)) return kImageDisabled;
    return On(row) ? kImageOn : kImageOff;
}

std::string OptionsModel::Text(int row) const {
    const TreeTexts& t = texts_.tree;
    switch (row) {
        case kRowAuthor: return Quoted(t.author, doc_.author);
        case kRowTitle: return Quoted(t.title, doc_.title);
        case kRowShortTitle: return Quoted(t.shortTitle, doc_.shortTitle);
        case kRowComment: return Quoted(t.comment, doc_.comment);
        case kRowLonger: return t.longerPrefix + std::to_string(On(row) ? s_.LongStringsMin : kRuleLength);
        case kRowShorter: return t.shorterPrefix + std::to_string(On(row) ? s_.ShortStringsMax : kRuleLength);
        case kRowEmptyLines:
            return std::to_string(On(row) ? s_.DetectTwoEmptyLines : kEmptyLinesOn) + t.emptyLinesSuffix;
        default: break;
    }
    if (row >= 0 && size_t(row) < texts_.treeRows.size()) return texts_.treeRows[size_t(row)];
    const OptionRow* r = RowAt(row);
    return r ? std::string(r->caption) : std::string();
}

bool OptionsModel::Toggle(int row, std::string* error) {
    const int image = Image(row);
    if (image != kImageOff && image != kImageOn) return false;
    if (row == kRowIntegrate) {
        std::string why;
        if (!shell->SetIntegrated(image == kImageOff, &why)) {
            if (error) *error = why;
            return false;
        }
        return true;
    }
    if (invalidate) invalidate();
    SetOn(row, image == kImageOff);
    return true;
}

void OptionsModel::SetOn(int row, bool on) {
    if (const BoolRow* b = FindBoolRow(row)) {
        (s_.*(b->setter))(on);
        return;
    }
    switch (row) {
        case kRowLonger: s_.SetLongStringsMin(on ? kRuleLength : kLongerOff); break;
        case kRowShorter: s_.SetShortStringsMax(on ? kRuleLength : 0); break;
        case kRowEmptyLines: s_.SetDetectTwoEmptyLines(on ? kEmptyLinesOn : 0); break;
        case kRowHeaderTag:
            // Off is the empty start tag, whose setter restores "</h1>".
            s_.SetHeadStartTag(on ? "<h1>" : "");
            if (on) s_.SetHeadCloseTag("</h1>");
            break;
        case kRowParagraphTag:
            s_.SetParagraphStartTag(on ? kJustifiedParagraph : "");
            if (on) s_.SetParagraphEndTag("</div>");
            break;
        default: break;
    }
}

std::string OptionsModel::Description(int row) const {
    const OptionRow* r = RowAt(row);
    if (!r || r->descrKey.empty()) return {};
    return texts_.Descr(r->descrKey, std::string(r->descrText));
}

RowEditor OptionsModel::Open(int row) const {
    RowEditor e;
    const OptionRow* r = RowAt(row);
    if (!r || r->editorTag == 0 || (r->kind == RowKind::ToggleWithValues && !On(row))) return e;
    e.row = row;
    e.tag = r->editorTag;
    e.label = texts_.Descr(r->labelKey, std::string(r->labelText));
    switch (row) {
        case kRowNbsp: e.number = true, e.value = s_.NumberOfNbsp; break;
        case kRowAuthor: e.edit1 = true, e.text1 = doc_.author; break;
        case kRowTitle: e.edit1 = true, e.text1 = doc_.title; break;
        case kRowComment: e.edit1 = true, e.text1 = doc_.comment; break;
        case kRowCover: e.edit1 = true, e.text1 = doc_.coverImage; break;
        case kRowShortTitle:
            e.edit1 = true;
            e.text1 = doc_.shortTitle.empty() ? TransliterateLatin(doc_.title) : doc_.shortTitle;
            break;
        case kRowLonger: e.number = true, e.value = s_.LongStringsMin; break;
        case kRowShorter: e.number = true, e.value = s_.ShortStringsMax; break;
        case kRowEmptyLines:
            e.number = e.edit2 = true;
            e.value = s_.DetectTwoEmptyLines;
            e.text2 = s_.EmptyLinesReplaceWith;
            break;
        case kRowHeaderTag:
            e.edit1 = e.edit2 = true;
            e.text1 = s_.HeadStartTag, e.text2 = s_.HeadCloseTag;
            break;
        case kRowParagraphTag:
            e.edit1 = e.edit2 = true;
            e.text1 = s_.ParagraphStartTag, e.text2 = s_.ParagraphEndTag;
            break;
        case kRowSrcFont: e.number = e.font = true, e.value = s_.SrcFontSize, e.fontName = s_.SrcFontName; break;
        case kRowHtmFont: e.number = e.font = true, e.value = s_.HtmFontSize, e.fontName = s_.HtmFontName; break;
        case kRowLanguage: e.language = true, e.languageIndex = s_.Language; break;
        case kRowEpigraphs:
            e.edit1 = e.edit2 = e.check = true;
            e.text1 = s_.OpenEpigraph, e.text2 = s_.CloseEpigraph, e.checked = s_.PreserveBreaksInEpigraph;
            break;
        case kRowHyphenate:
            e.fontList = e.edit2 = true;
            e.text2 = s_.HyphString;
            if (config) {
                FontChoiceList list = BuildFontChoice(*config, s_);
                e.fontChoices = std::move(list.entries);
                e.fontChoice = list.selected;
            } else {
                e.fontChoices = {std::string(kSoftHyphenChoice)};
                e.fontChoice = s_.HyphFont == kSoftHyphenFont ? 0 : -1;
            }
            break;
        default: break;
    }
    return e;
}

void OptionsModel::Apply(const RowEditor& e) {
    if (e.tag == 0) return;
    if (invalidate) invalidate();
    switch (e.row) {
        case kRowNbsp: s_.SetNumberOfNbsp(e.value); break;
        case kRowAuthor: doc_.author = e.text1; break;
        case kRowTitle: doc_.title = e.text1; break;
        case kRowComment: doc_.comment = e.text1; break;
        case kRowCover: doc_.coverImage = e.text1; break;
        case kRowShortTitle: doc_.shortTitle = e.text1; break;
        case kRowLonger: s_.SetLongStringsMin(e.value > 0 ? e.value : kLongerOff); break;
        case kRowShorter: s_.SetShortStringsMax(e.value > 0 ? e.value : 0); break;
        case kRowEmptyLines:
            s_.SetDetectTwoEmptyLines(e.value);
            s_.SetEmptyLinesReplaceWith(e.text2);
            break;
        case kRowHeaderTag:
            s_.SetHeadStartTag(e.text1);
            if (!e.text1.empty()) s_.SetHeadCloseTag(e.text2);
            break;
        case kRowParagraphTag:
            s_.SetParagraphStartTag(e.text1);
            if (!e.text1.empty()) s_.SetParagraphEndTag(e.text2);
            break;
        case kRowSrcFont:
            s_.SetSrcFontName(e.fontName);
            s_.SetSrcFontSize(e.value);
            break;
        case kRowHtmFont:
            s_.SetHtmFontName(e.fontName);
            s_.SetHtmFontSize(e.value);
            break;
        case kRowLanguage: s_.SetLanguage(e.languageIndex); break;
        case kRowEpigraphs:
            s_.SetOpenEpigraph(e.text1);
            s_.SetCloseEpigraph(e.text2);
            s_.SetPreserveBreaksInEpigraph(e.checked);
            break;
        case kRowHyphenate: ApplyHyphenation(e); break;
        default: break;
    }
}

void OptionsModel::ApplyHyphenation(const RowEditor& e) {
    if (e.fontChoice < 0 || size_t(e.fontChoice) >= e.fontChoices.size()) {
        s_.SetHyphString(e.text2);
        return;
    }
    const std::string& entry = e.fontChoices[size_t(e.fontChoice)];
    if (config && font) {
        ConfirmFontChoice(entry, e.text2, *config, s_, *font);
        return;
    }
    s_.SetILikeOrientation(!entry.empty() && entry[0] == 'I');
    s_.SetHyphFont(entry.size() > 2 ? entry.substr(2) : std::string());
    s_.SetHyphString(e.text2);
}

std::string OptionsModel::Commit(const RowEditor& e) {
    Apply(e);
    if (e.row == kRowParagraphTag && TagsMismatch(e.text1, e.text2)) return "Error in tags";
    return {};
}

std::string OptionsModel::FontListMessage() const {
    if (!config) return {};
    return BuildFontChoice(*config, s_).noDescriptions ? "NoRegFont" : "";
}

}  // namespace pm
