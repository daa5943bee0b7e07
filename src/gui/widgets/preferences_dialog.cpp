#include "gui/widgets/preferences_dialog.h"

#include <gtk/gtk.h>
#include <wx/button.h>
#include <wx/display.h>
#include <wx/fontdlg.h>
#include <wx/listbox.h>
#include <wx/msgdlg.h>
#include <wx/panel.h>
#include <wx/scrolwin.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

#include "gui/preference_rules.h"
#include "gui/theme_packages.h"
#include "gui/widgets/accessible_name.h"
#include "gui/widgets/picture_bitmaps.h"
#include "gui/widgets/preferences_window.h"
#include "gui/widgets/wx_text.h"
#include "platform/files.h"
#include "platform/text.h"
#include "settings/catalogue.h"

namespace {

// Sizes in pixels at 96 dpi.
constexpr int kDialogWidth = 600;
constexpr int kMargin = 10;
constexpr int kPageListWidth = 120;
constexpr int kPageWidth = 450;
constexpr int kPageHeight = 300;
constexpr int kButtonWidth = 80;

wxString dialogText(const char* key)
{
    return toWx(lookupText("Dialog", key));
}

std::vector<wxString> upperCased(const std::vector<std::string>& formats)
{
    std::vector<wxString> items;
    for (const std::string& format : formats)
        items.push_back(toWx(toUpperAscii(format)));
    return items;
}

void enableRows(const std::vector<PreferenceRow>& rows, bool on)
{
    for (const PreferenceRow& row : rows)
        row.enable(on);
}

void showRows(const std::vector<PreferenceRow>& rows, bool on)
{
    for (const PreferenceRow& row : rows)
        row.show(on);
}

// The theme packages beside the program, each key with its display name.
std::vector<std::pair<std::string, std::string>> installedThemes()
{
    const ThemeList themes = scanThemePackages(themeFolder(executableFolder()));
    return {themes.begin(), themes.end()};
}

}  // namespace

const char* const PreferencesDialog::kPageKeys[kPageCount] = {
    "General", "Interface", "Input", "Output", "Transform", "Adjustment", "Frame", "Watermark", "Advanced",
};

PreferencesDialog::PreferencesDialog(wxWindow* parent, PreferencesPage firstPage, const PictureSlots& pictures)
    : wxDialog(parent, wxID_ANY, toWx(lookupText("Preferences", "Title")), wxDefaultPosition, wxDefaultSize,
               wxCAPTION | wxCLOSE_BOX | wxSYSTEM_MENU),
      m_controls(loadPreferenceControls(g_settings, installedThemes())),
      m_formatPicture(tableBitmap(pictures, smallIconTable, "New", FromDIP(16)))
{
    m_pageList = new wxListBox(this, wxID_ANY);
    for (const char* key : kPageKeys)
        m_pageList->Append(catalogueText(key));
    setAccessibleName(m_pageList, toWx(lookupText("Preferences", "Title")));
    m_pageList->Bind(wxEVT_LISTBOX, [this](wxCommandEvent& event) { showPage(event.GetSelection()); });

    auto* header = new wxPanel(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxBORDER_SIMPLE);
    header->SetBackgroundColour(*wxWHITE);
    m_title = new wxStaticText(header, wxID_ANY, wxEmptyString);
    m_title->SetFont(GetFont().Bold().Scaled(1.25f));
    m_title->SetBackgroundColour(*wxWHITE);
    auto* headerSizer = new wxBoxSizer(wxHORIZONTAL);
    headerSizer->Add(m_title, 1, wxALL, FromDIP(6));
    header->SetSizer(headerSizer);

    buildGeneralPage();
    buildInterfacePage();
    buildInputPage();
    buildOutputPage();
    buildTransformPage();
    buildAdjustmentPage();
    buildFramePage();
    buildWatermarkPage();
    buildAdvancedPage();

    auto* defaults =
        new wxButton(this, wxID_ANY, dialogText("Defaults"), wxDefaultPosition, FromDIP(wxSize(kButtonWidth, -1)));
    auto* ok = new wxButton(this, wxID_OK, dialogText("OK"), wxDefaultPosition, FromDIP(wxSize(kButtonWidth, -1)));
    auto* cancel =
        new wxButton(this, wxID_CANCEL, dialogText("Cancel"), wxDefaultPosition, FromDIP(wxSize(kButtonWidth, -1)));
    defaults->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { onDefaults(); });
    ok->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { onOk(); });

    auto* pageArea = new wxBoxSizer(wxVERTICAL);
    pageArea->Add(header, 0, wxEXPAND);
    for (wxScrolledWindow* page : m_pages)
        pageArea->Add(page, 1, wxEXPAND | wxTOP, FromDIP(kMargin));
    auto* body = new wxBoxSizer(wxHORIZONTAL);
    body->Add(m_pageList, 0, wxEXPAND | wxRIGHT, FromDIP(kMargin));
    body->Add(pageArea, 1, wxEXPAND);
    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    buttons->Add(defaults);
    buttons->AddStretchSpacer();
    buttons->Add(ok, 0, wxRIGHT, FromDIP(kMargin));
    buttons->Add(cancel);
    auto* all = new wxBoxSizer(wxVERTICAL);
    all->Add(body, 1, wxEXPAND | wxALL, FromDIP(kMargin));
    all->Add(buttons, 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, FromDIP(kMargin));
    m_pageList->SetMinSize(FromDIP(wxSize(kPageListWidth, -1)));
    SetSizer(all);

    pushControls();
    applyStates();
    const int first = firstPage == PreferencesPage::Output ? kOutput : kGeneral;
    showPage(first);
    Layout();
    Fit();
    SetClientSize(FromDIP(kDialogWidth), GetClientSize().y);
    CentreOnParent();
    CallAfter([this] { m_pageList->SetFocus(); });
}

wxWindow* PreferencesDialog::addPage()
{
    auto* page = new wxScrolledWindow(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxVSCROLL | wxBORDER_NONE);
    page->SetScrollRate(0, FromDIP(10));
    page->SetMinSize(FromDIP(wxSize(kPageWidth, kPageHeight)));
    // A scroll bar that shows all the time tells that the page goes on.
    if (GTK_IS_SCROLLED_WINDOW(page->GetHandle()))
        gtk_scrolled_window_set_overlay_scrolling(GTK_SCROLLED_WINDOW(page->GetHandle()), FALSE);
    setAccessibleName(page, catalogueText(kPageKeys[m_pages.size()]));
    page->SetSizer(new wxBoxSizer(wxVERTICAL));
    m_pages.push_back(page);
    return page;
}

RowBuilder PreferencesDialog::rowsOn(wxWindow* panel, int topBorder)
{
    RowBuilder rows(panel, m_bindings, [this] { applyStates(); });
    panel->GetSizer()->AddSpacer(FromDIP(topBorder));
    panel->GetSizer()->Add(rows.grid(), 0, wxLEFT | wxRIGHT, FromDIP(kMargin));
    return rows;
}

// The rows of a panel under a page's first row continue that row's spacing.
RowBuilder PreferencesDialog::rowsOnSubPanel(wxWindow* panel)
{
    return rowsOn(panel, kPreferenceRowGap);
}

// A panel under the page's first row that a choice in that row shows.
wxWindow* PreferencesDialog::addSubPanel(wxWindow* page)
{
    auto* panel = new wxPanel(page);
    panel->SetSizer(new wxBoxSizer(wxVERTICAL));
    page->GetSizer()->Add(panel, 0, wxEXPAND);
    return panel;
}

void PreferencesDialog::buildGeneralPage()
{
    RowBuilder rows = rowsOn(addPage(), kMargin);
    rows.plainList("Language", {"English"}, m_languageItem);
    rows.list("Check For Updates", kUpdateRangeItems, m_controls.updateRange);
    rows.check("Save window position", m_controls.saveWindowPosition);
}

void PreferencesDialog::buildInterfacePage()
{
    RowBuilder rows = rowsOn(addPage(), kMargin);
    std::vector<wxString> themes;
    for (const ThemeItem& theme : m_controls.themes)
        themes.push_back(theme.key.empty() ? catalogueText(theme.name.c_str()) : toWx(theme.name));
    rows.plainList("UI Theme", themes, m_controls.theme);
    rows.list("UI Size", kIconSizeItems, m_controls.uiSize);
}

// A format list over one sub-panel per format, of which the selected one shows.
void PreferencesDialog::buildFormatPage(const char* label, const std::vector<std::string>& formats, int& selected,
                                        std::map<std::string, wxWindow*>& panels,
                                        void (PreferencesDialog::*buildPanel)(const std::string&, RowBuilder&))
{
    wxWindow* page = addPage();
    RowBuilder rows = rowsOn(page, kMargin);
    rows.pictureList(label, upperCased(formats), m_formatPicture, selected);
    for (const std::string& format : formats) {
        wxWindow* panel = addSubPanel(page);
        RowBuilder panelRows = rowsOnSubPanel(panel);
        (this->*buildPanel)(format, panelRows);
        panels[format] = panel;
    }
}

void PreferencesDialog::buildInputPage()
{
    buildFormatPage("Input Format", m_controls.inputFormats, m_controls.inputFormat, m_inputPanels,
                    &PreferencesDialog::buildInputPanel);
}

// The options of the input formats that have any.
void PreferencesDialog::buildInputPanel(const std::string& format, RowBuilder& rows)
{
    PreferenceControls& c = m_controls;
    if (format == "dds") {
        rows.list("Load As", kDdsLoadAsItems, c.ddsLoadAs);
    } else if (format == "gif") {
        rows.list("Frame Loading", kFrameLoadingItems, c.gifFrameLoading);
    } else if (format == "ico") {
        rows.list("Frame Loading", kFrameLoadingItems, c.icoFrameLoading);
    } else if (format == "psd") {
        rows.list("Color Mode", kPsdColorModeItems, c.psdColorMode);
    } else if (format == "raw") {
        rows.list("Load As", kRawLoadAsItems, c.rawLoadAs);
        m_rawSizeRows.push_back(rows.number("Header Size", c.rawHeaderSize, kBytesUnit));
        m_rawSizeRows.push_back(rows.number("Image Width", c.rawWidth, kPixelsUnit));
        m_rawSizeRows.push_back(rows.number("Image Height", c.rawHeight, kPixelsUnit));
        m_rawToneMappingRows.push_back(rows.list("Tone Mapping", kToneMappingItems, c.rawToneMapping));
    } else if (format == "tiff") {
        rows.list("Frame Loading", kFrameLoadingItems, c.tiffFrameLoading);
    }
}

void PreferencesDialog::buildOutputPage()
{
    buildFormatPage("Output Format", m_controls.outputFormats, m_controls.outputFormat, m_outputPanels,
                    &PreferencesDialog::buildOutputPanel);
}

// The bit depth, then the options of the format.
void PreferencesDialog::buildOutputPanel(const std::string& format, RowBuilder& rows)
{
    PreferenceControls& c = m_controls;
    if (c.bitDepths.count(format))
        rows.bitDepthList(c.bitDepths[format]);
    if (format == "bmp") {
        rows.list("Compression", kBmpCompressionItems, c.bmpCompression);
        rows.list("Color Table", kColorTableItems, c.bmpColorTable);
    } else if (format == "exr") {
        rows.list("Compression", kExrCompressionItems, c.exrCompression);
    } else if (format == "jpg") {
        rows.pair("Image Quality", kQualityRange, c.jpgQuality);
        rows.list("Chroma Subsampling", kJpegChromaItems, c.jpgChroma);
        rows.list("Save As", kJpegSaveAsItems, c.jpgSaveAs);
    } else if (format == "pcx") {
        rows.list("Compression", kPcxCompressionItems, c.pcxCompression);
    } else if (format == "png") {
        rows.list("Compression", kPngCompressionItems, c.pngCompression);
        rows.check("Interlaced", c.pngInterlaced);
    } else if (format == "tga") {
        rows.list("Compression", kTgaCompressionItems, c.tgaCompression);
    } else if (format == "tiff") {
        rows.list("Compression", kTiffCompressionItems, c.tiffCompression);
        rows.list("Color Mode", kTiffColorModeItems, c.tiffColorMode);
    } else if (format == "webp") {
        rows.pair("Image Quality", kQualityRange, c.webpQuality);
    }
}

void PreferencesDialog::buildTransformPage()
{
    PreferenceControls& c = m_controls;
    RowBuilder rows = rowsOn(addPage(), kMargin);
    rows.check("Image Rotation", c.rotateEnabled);
    m_rotationRows.push_back(rows.list("Rotation Type", kRotationTypeItems, c.rotationType));
    m_rotationRows.push_back(rows.pair("Rotation Angle", kAngleRange, c.rotationAngle));
    m_rotationRows.push_back(rows.hexColour("Background Color", c.rotationBackColor));
    rows.check("Image Resize", c.resizeEnabled);
    m_resizeRows.push_back(rows.number("Image Width", c.resizeWidth, kSizeUnitItems, &c.resizeWidthUnit));
    m_resizeRows.push_back(rows.number("Image Height", c.resizeHeight, kSizeUnitItems, &c.resizeHeightUnit));
    m_resizeRows.push_back(rows.check("Keep Aspect Ratio", c.keepAspectRatio));
    m_resizeRows.push_back(rows.list("Resize Type", kResizeTypeItems, c.resizeType));
    m_resizeRows.push_back(rows.list("Resize Algorithm", kResizeAlgorithmItems, c.resizeAlgorithm));
    rows.check("Image Flip Horizontal", c.flipHorizontal);
    rows.check("Image Flip Vertical", c.flipVertical);
}

void PreferencesDialog::buildAdjustmentPage()
{
    PreferenceControls& c = m_controls;
    RowBuilder rows = rowsOn(addPage(), kMargin);
    rows.offsetPair("Image Brightness", c.brightness);
    rows.offsetPair("Image Contrast", c.contrast);
    rows.gammaPair("Image Gamma", c.gamma);
    rows.check("Image Invert", c.invert);
    rows.check("Image Greyscale", c.greyscale);
    rows.check("Image Threshold", c.thresholdEnabled);
    m_thresholdRows.push_back(rows.pair("Threshold Level", kThresholdRange, c.threshold));
    rows.check("Image Dither", c.ditherEnabled);
    m_ditherRows.push_back(rows.list("Dither Algorithm", kDitherAlgorithmItems, c.ditherAlgorithm));
}

void PreferencesDialog::buildFramePage()
{
    PreferenceControls& c = m_controls;
    wxWindow* page = addPage();
    rowsOn(page, kMargin).list("Frame Type", kFrameTypeItems, c.frameType);
    m_frameSolidPanel = addSubPanel(page);
    RowBuilder rows = rowsOnSubPanel(m_frameSolidPanel);
    rows.number("Left", c.frameLeft, kPixelsUnit);
    rows.number("Right", c.frameRight, kPixelsUnit);
    rows.number("Top", c.frameTop, kPixelsUnit);
    rows.number("Bottom", c.frameBottom, kPixelsUnit);
    rows.hexColour("Left Color", c.frameLeftColor);
    rows.hexColour("Right Color", c.frameRightColor);
    rows.hexColour("Top Color", c.frameTopColor);
    rows.hexColour("Bottom Color", c.frameBottomColor);
    rows.pair("Opacity", kOpacityRange, c.frameOpacity);
}

void PreferencesDialog::buildPlacementRows(RowBuilder& rows, int& boundary, int& position, std::string& xOffset,
                                           std::string& yOffset, int& rotation, int& size, int& scale,
                                           std::vector<PreferenceRow>& scaleRows)
{
    rows.list("Boundary", kBoundaryItems, boundary);
    rows.list("Position", kPositionItems, position);
    rows.number("X-Offset", xOffset, kPixelsUnit);
    rows.number("Y-Offset", yOffset, kPixelsUnit);
    rows.pair("Rotation Angle", kAngleRange, rotation);
    rows.list("Size", kWatermarkSizeItems, size);
    scaleRows.push_back(rows.pair("Scale", kScaleRange, scale));
}

void PreferencesDialog::buildWatermarkPage()
{
    PreferenceControls& c = m_controls;
    wxWindow* page = addPage();
    rowsOn(page, kMargin).list("Watermark Type", kWatermarkTypeItems, c.watermarkType);

    m_watermarkTextPanel = addSubPanel(page);
    RowBuilder text = rowsOnSubPanel(m_watermarkTextPanel);
    text.text("Text", c.wmText);
    text.fontList("Font", c.wmFont, [this] { chooseFont(); });
    text.number("Font Size", c.wmFontSize, kPointsUnit);
    text.number("Font Leading", c.wmFontLeading, kPixelsUnit);
    text.colourList("Font Color", c.wmFontColor, g_settings.wmFontColorList);
    text.list("Font Style", kFontStyleItems, c.wmFontStyle);
    text.list("Font Effect", kFontEffectItems, c.wmFontEffect);
    text.check("Antialiasing", c.wmTextAntialiasing);
    text.list("Text Alignment", kTextAlignmentItems, c.wmTextAlignment);
    text.number("Text Padding", c.wmTextPadding, kPixelsUnit);
    text.pair("Text Opacity", kOpacityRange, c.wmTextOpacity);
    text.colourList("Background Color", c.wmBackColor, g_settings.wmBackColorList);
    text.pair("Background Opacity", kOpacityRange, c.wmBackOpacity);
    buildPlacementRows(text, c.wmTextBoundary, c.wmTextPosition, c.wmTextXOffset, c.wmTextYOffset, c.wmTextRotation,
                       c.wmTextSize, c.wmTextScale, m_textScaleRows);

    m_watermarkImagePanel = addSubPanel(page);
    RowBuilder image = rowsOnSubPanel(m_watermarkImagePanel);
    image.picture("Image", c.wmImage);
    image.check("Image Greyscale", c.wmImageGreyscale);
    image.pair("Opacity", kOpacityRange, c.wmImageOpacity);
    buildPlacementRows(image, c.wmImageBoundary, c.wmImagePosition, c.wmImageXOffset, c.wmImageYOffset,
                       c.wmImageRotation, c.wmImageSize, c.wmImageScale, m_imageScaleRows);
}

void PreferencesDialog::buildAdvancedPage()
{
    PreferenceControls& c = m_controls;
    RowBuilder rows = rowsOn(addPage(), kMargin);
    rows.text("Filename Mask", c.filenameMask);
    rows.list("File Timestamp", kFileTimestampItems, c.fileTimestamp);
    m_customTimestampRows.push_back(rows.dateTime("Custom Timestamp", c.customTimestamp));
    rows.list("Out Folders History", kFoldersHistoryItems, c.outFoldersHistory);
    rows.pair("Out Folders Number", kFoldersNumberRange, c.outFoldersNumber);
}

void PreferencesDialog::showPage(int page)
{
    if (page < 0 || page >= kPageCount)
        return;
    m_pageList->SetSelection(page);
    m_title->SetLabel(catalogueText(kPageKeys[page]));
    for (int i = 0; i < kPageCount; ++i)
        m_pages[i]->Show(i == page);
    Layout();
}

void PreferencesDialog::pullControls()
{
    for (const ControlBinding& binding : m_bindings)
        binding.pull();
}

void PreferencesDialog::pushControls()
{
    for (const ControlBinding& binding : m_bindings)
        binding.push();
}

void PreferencesDialog::applyStates()
{
    pullControls();
    const PreferenceStates states = preferenceStates(m_controls);
    enableRows(m_rotationRows, states.rotationRows);
    enableRows(m_resizeRows, states.resizeRows);
    enableRows(m_thresholdRows, states.thresholdRow);
    enableRows(m_ditherRows, states.ditherRow);
    enableRows(m_rawSizeRows, states.rawSizeRows);
    enableRows(m_rawToneMappingRows, states.rawToneMappingRow);
    enableRows(m_customTimestampRows, states.customTimestampRow);
    showRows(m_textScaleRows, states.textScaleRow);
    showRows(m_imageScaleRows, states.imageScaleRow);
    for (const auto& [format, panel] : m_inputPanels)
        panel->Show(format == states.inputPanel);
    for (const auto& [format, panel] : m_outputPanels)
        panel->Show(format == states.outputPanel);
    m_frameSolidPanel->Show(states.frameSolidPanel);
    m_watermarkTextPanel->Show(states.watermarkTextPanel);
    m_watermarkImagePanel->Show(states.watermarkImagePanel);
    for (wxScrolledWindow* page : m_pages) {
        page->Layout();
        page->FitInside();
    }
}

void PreferencesDialog::chooseFont()
{
    pullControls();
    PreferenceControls& c = m_controls;
    wxFontInfo initial(std::max(1, numberFieldValue(c.wmFontSize)));
    if (c.wmFont.selected >= 0 && c.wmFont.selected < static_cast<int>(c.wmFont.names.size()))
        initial.FaceName(toWx(c.wmFont.names[c.wmFont.selected]));
    wxFontData data;
    data.SetInitialFont(wxFont(initial));
    wxFontDialog dialog(this, data);
    if (dialog.ShowModal() != wxID_OK)
        return;
    const wxFont font = dialog.GetFontData().GetChosenFont();
    if (!font.IsOk())
        return;
    const std::string faceName = font.GetFaceName().utf8_string();
    const std::optional<std::string> name = usableFontName(faceName);
    if (!name) {
        wxMessageBox(toWx(fillPlaceholders(lookupText("Msg", "Invalid watermark font"), faceName, "", "", "")),
                     toWx(lookupText("Msg", "Warning")), wxOK | wxICON_WARNING, this);
        return;
    }
    addChosenFont(c.wmFont, *name);
    c.wmFontSize = std::to_string(font.GetPointSize());
    const int flags = (font.GetWeight() >= wxFONTWEIGHT_BOLD ? kBoldFlag : 0) |
                      (font.GetStyle() != wxFONTSTYLE_NORMAL ? kItalicFlag : 0);
    c.wmFontStyle = fontStyleItem(flags);
    pushControls();
    applyStates();
}

void PreferencesDialog::onOk()
{
    pullControls();
    m_refresh = applyPreferences(m_controls);
    EndModal(wxID_OK);
}

void PreferencesDialog::onDefaults()
{
    wxMessageDialog question(this, toWx(lookupText("Msg", "Ask reset to defaults")),
                             toWx(lookupText("Msg", "Reset to Defaults")), wxYES_NO | wxICON_QUESTION);
    if (question.ShowModal() != wxID_YES)
        return;
    const wxRect desktop = wxDisplay(static_cast<unsigned>(0)).GetGeometry();
    m_refresh = applyDefaultPreferences({desktop.width, desktop.height});
    EndModal(wxID_OK);
}

int openPreferences(wxWindow* parent, PreferencesPage firstPage, const PictureSlots& pictures)
{
    PreferencesDialog dialog(parent, firstPage, pictures);
    dialog.ShowModal();
    return dialog.refresh();
}
