#include "gui/widgets/main_frame.h"

#include <wx/button.h>
#include <wx/dirdlg.h>
#include <wx/display.h>
#include <wx/dnd.h>
#include <wx/filedlg.h>
#include <wx/menu.h>
#include <wx/panel.h>
#include <wx/stattext.h>
#include <wx/statusbr.h>
#include <wx/textctrl.h>
#include <wx/toolbar.h>

#include <algorithm>

#include "app/program_identity.h"
#include "engine/conversion_run.h"
#include "gui/input_file_filter.h"
#include "gui/interactive_conversion.h"
#include "gui/interface_pictures.h"
#include "gui/links.h"
#include "gui/output_format_box.h"
#include "gui/recent_folders.h"
#include "gui/web_addresses.h"
#include "gui/widgets/about_box.h"
#include "gui/widgets/accessible_name.h"
#include "gui/widgets/catalogue_text.h"
#include "gui/widgets/custom_converter.h"
#include "gui/widgets/native_window.h"
#include "gui/widgets/picture_bitmaps.h"
#include "gui/widgets/picture_list_box.h"
#include "gui/widgets/preferences_dialog.h"
#include "gui/widgets/progress_dialog.h"
#include "gui/widgets/shell_open.h"
#include "gui/widgets/update_check.h"
#include "gui/widgets/warning_box.h"
#include "gui/widgets/wx_text.h"
#include "gui/window_choices.h"
#include "gui/window_placement.h"
#include "platform/files.h"
#include "settings/catalogue.h"
#include "settings/conversion_settings.h"

namespace {

// The commands of the main window; menus, toolbar, buttons and keys raise them.
enum Command {
    kNew = 0,
    kExit = 3,
    kSelectInputFile = 5,
    kSelectOutputFolder = 7,
    kOutputFormatOptions = 8,
    kConvert = 14,
    kCustomConverter = 16,
    kPreferences = 17,
    kManual = 18,
    kSendFeedback = 21,
    kVisitHomepage = 22,
    kCheckForNewVersion = 23,
    kAbout = 24,
    kSeparator = -1,
};

constexpr int kFirstCommandId = wxID_HIGHEST + 100;
constexpr int kLastCommandId = kFirstCommandId + kAbout;

int commandId(Command command)
{
    return kFirstCommandId + command;
}

struct CommandInfo {
    Command command;
    const char* key;          // catalogue group "Menu"
    const char* icon;         // name in the icon tables
    const char* accelerator;  // "" for none
};

const CommandInfo kCommands[] = {
    {kNew, "New", "New", "Ctrl+N"},
    {kExit, "Exit", "Exit", "Alt+X"},
    {kSelectInputFile, "Select Input File", "Add", ""},
    {kSelectOutputFolder, "Select Output Folder", "OutFolder", ""},
    {kOutputFormatOptions, "Output Format Options", "OutFormat", ""},
    {kConvert, "Convert", "Convert", "F5"},
    {kCustomConverter, "Custom Converter", "CustomConverter", ""},
    {kPreferences, "Preferences", "Preferences", ""},
    {kManual, "Manual", "Help", "F1"},
    {kSendFeedback, "Send Feedback", "Email", ""},
    {kVisitHomepage, "Visit Homepage", "Web", ""},
    {kCheckForNewVersion, "Check For New Version", "Updates", ""},
    {kAbout, "About", "About", ""},
};

const CommandInfo& commandInfo(Command command)
{
    return *std::find_if(std::begin(kCommands), std::end(kCommands),
                         [command](const CommandInfo& info) { return info.command == command; });
}

struct MenuInfo {
    const char* key;
    std::vector<Command> items;
};

const MenuInfo kMenus[] = {
    {"File", {kNew, kSeparator, kSelectInputFile, kSelectOutputFolder, kSeparator, kExit}},
    {"Converter", {kConvert, kSeparator, kCustomConverter, kSeparator, kPreferences}},
    {"Help", {kManual, kSeparator, kSendFeedback, kVisitHomepage, kCheckForNewVersion, kSeparator, kAbout}},
};

const Command kToolbarCommands[] = {
    kNew,       kSelectInputFile, kSelectOutputFolder, kSeparator,     kPreferences,        kSeparator, kConvert,
    kSeparator, kManual,          kSendFeedback,       kVisitHomepage, kCheckForNewVersion,
};

const char* const kNoticeLine = "Converts Kodak PhotoCD pictures into JPEG files.";

// Fixed sizes at the standard resolution, scaled by FromDIP.
constexpr int kMinInnerWidth = 510;
constexpr int kMinInnerHeight = 260;
constexpr int kMargin = 10;
constexpr int kLabelWidth = 350;
constexpr int kFieldWidthLess = 160;  // field width: inner width less this
constexpr int kSmallButtonFromRight = 146;
constexpr int kConvertFromRight = 110;
constexpr int kConvertSize = 100;
constexpr int kConvertPicturePadding = 12;
constexpr int kTopGap = 5;
constexpr int kRowGap = 5;
constexpr int kSmallIconSize = 16;

std::string menuText(const char* key)
{
    return lookupText("Menu", key);
}

// A toolbar without pictures names its buttons instead, without the dots
// that promise a dialog.
wxString toolLabel(const char* key)
{
    std::string text = menuText(key);
    while (!text.empty() && text.back() == '.')
        text.pop_back();
    return toWx(text);
}

// The screens, the primary one first.
std::vector<ScreenRect> displayRects()
{
    std::vector<ScreenRect> displays;
    for (unsigned i = 0; i < wxDisplay::GetCount(); ++i) {
        const wxDisplay display(i);
        const wxRect area = display.GetGeometry();
        const ScreenRect rect{area.x, area.y, area.width, area.height};
        if (display.IsPrimary())
            displays.insert(displays.begin(), rect);
        else
            displays.push_back(rect);
    }
    return displays;
}

// Files dropped onto the window: the first one is the input file.
class InputDropTarget : public wxFileDropTarget {
public:
    explicit InputDropTarget(MainFrame* frame) : frame_(frame) { }
    bool OnDropFiles(wxCoord, wxCoord, const wxArrayString& names) override
    {
        if (!names.empty())
            frame_->takeInputFile(fromWx(names[0]));
        return true;
    }

private:
    MainFrame* frame_;
};

}  // namespace

MainFrame::MainFrame(PictureSlots pictures)
    : wxFrame(nullptr, wxID_ANY, toWx(titledName(programTitle, programVersion))), pictures_(std::move(pictures))
{
    buildMenuBar();
    buildToolBar();
    // The window's height is fixed, so its status bar offers no grip to drag it by.
    CreateStatusBar(1, wxSTB_DEFAULT_STYLE & ~wxSTB_SIZEGRIP);
    SetStatusText("");
    buildPanel();

    acceptDrops(this);
    acceptDrops(inputField_);
    acceptDrops(GetStatusBar());
    Bind(wxEVT_MENU, &MainFrame::onCommand, this, kFirstCommandId, kLastCommandId);
    Bind(wxEVT_BUTTON, &MainFrame::onCommand, this, kFirstCommandId, kLastCommandId);
    Bind(wxEVT_CLOSE_WINDOW, &MainFrame::onClose, this);
    folderBox_->Bind(wxEVT_COMBOBOX, &MainFrame::onFolderBoxChosen, this);
    folderBox_->Bind(wxEVT_COMBOBOX, [this](wxCommandEvent& event) {
        folderBox_->nameAfterShownItem();
        event.Skip();
    });
    formatBox_->Bind(wxEVT_COMBOBOX, &MainFrame::onFormatBoxChosen, this);
    panel_->Bind(wxEVT_SIZE, [this](wxSizeEvent& event) {
        layoutPanel();
        event.Skip();
    });
}

void MainFrame::start(bool placementStored)
{
    if (g_settings.recentOutFolders.empty())
        folderBox_->Append("", wxNullBitmap);
    fillOutputFormatBox();
    newJob();
    fixHeight();

    // Not yet shown, the window's size is its inside: bars and content, without the window manager's frame.
    const ScreenRect placement =
        initialWindowPlacement(g_settings, placementStored, displayRects(), FromDIP(kMinInnerWidth), GetSize().y);
    SetClientSize(placement.width, GetClientSize().y);
    Move(placement.x, placement.y);
    if (g_settings.windowMaximized)
        Maximize();
    Show();
    layoutPanel();
}

void MainFrame::buildMenuBar()
{
    auto* bar = new wxMenuBar;
    AccessKeyGroup barKeys;
    for (const MenuInfo& menuInfo : kMenus) {
        auto* menu = new wxMenu;
        AccessKeyGroup menuKeys;
        for (Command command : menuInfo.items) {
            if (command == kSeparator) {
                menu->AppendSeparator();
                continue;
            }
            const CommandInfo& info = commandInfo(command);
            wxString text = catalogueLabel("Menu", info.key, menuKeys);
            if (*info.accelerator)
                text += wxString("\t") + info.accelerator;
            auto* item = new wxMenuItem(menu, commandId(command), text);
            const wxBitmap icon = tableBitmap(pictures_, smallIconTable, info.icon, kSmallIconSize);
            if (icon.IsOk())
                item->SetBitmap(icon);
            menu->Append(item);
        }
        bar->Append(menu, catalogueLabel("Menu", menuInfo.key, barKeys));
    }
    // The frame lets go of a replaced bar without deleting it.
    wxMenuBar* old = GetMenuBar();
    SetMenuBar(bar);
    delete old;
    acceptDrops(bar);
}

void MainFrame::buildToolBar()
{
    const int size = iconPixelSize(g_settings.uiSize);
    std::vector<wxBitmap> icons;
    bool anyIcon = false;
    for (Command command : kToolbarCommands) {
        icons.push_back(command == kSeparator
                            ? wxBitmap()
                            : tableBitmap(pictures_, sizedIconTable, commandInfo(command).icon, size));
        anyIcon = anyIcon || icons.back().IsOk();
    }

    if (wxToolBar* old = GetToolBar()) {
        SetToolBar(nullptr);
        old->Destroy();
    }
    long style = wxTB_HORIZONTAL | wxTB_FLAT;
    if (!anyIcon)
        style |= wxTB_TEXT | wxTB_NOICONS;
    wxToolBar* toolBar = CreateToolBar(style);
    toolBar->SetToolBitmapSize(wxSize(size, size));
    // A tool the theme has no picture for keeps its place, empty.
    wxBitmap blank(size, size, 32);
    blank.UseAlpha();
    for (size_t i = 0; i < std::size(kToolbarCommands); ++i) {
        const Command command = kToolbarCommands[i];
        if (command == kSeparator) {
            toolBar->AddSeparator();
            continue;
        }
        const CommandInfo& info = commandInfo(command);
        const wxBitmap& icon = icons[i].IsOk() ? icons[i] : blank;
        toolBar->AddTool(commandId(command), toolLabel(info.key), icon, toWx(menuText(info.key)));
    }
    toolBar->Realize();
    acceptDrops(toolBar);
}

void MainFrame::buildPanel()
{
    panel_ = new wxPanel(this);
    const wxSize labelSize(FromDIP(kLabelWidth), -1);
    const wxSize fieldSize(FromDIP(kLabelWidth), -1);
    inputLabel_ = new wxStaticText(panel_, wxID_ANY, toWx(lookupText("General", "Input File")), wxDefaultPosition,
                                   labelSize, wxST_NO_AUTORESIZE);
    inputField_ = new wxTextCtrl(panel_, wxID_ANY, "", wxDefaultPosition, fieldSize);
    folderLabel_ = new wxStaticText(panel_, wxID_ANY, toWx(lookupText("General", "Output Folder")), wxDefaultPosition,
                                    labelSize, wxST_NO_AUTORESIZE);
    folderBox_ = new PictureListBox(panel_, fieldSize);
    formatLabel_ = new wxStaticText(panel_, wxID_ANY, toWx(lookupText("General", "Output Format")), wxDefaultPosition,
                                    labelSize, wxST_NO_AUTORESIZE);
    formatBox_ = new PictureListBox(panel_, fieldSize);
    notice_ = new wxStaticText(panel_, wxID_ANY, toWx(kNoticeLine), wxDefaultPosition, labelSize,
                               wxST_NO_AUTORESIZE | wxST_ELLIPSIZE_END);
    buildPanelButtons();
}

// The buttons that show pictures, made once: a button made again after the
// window has been shown would take the toolkit's wide default look, since
// GTK applies the compact style to a shown window only at its next frame.
void MainFrame::buildPanelButtons()
{
    struct SmallButton {
        wxButton*& button;
        Command command;
        wxWindow* after;  // keeps the keyboard order: field, then its button
    };
    const SmallButton smallButtons[] = {
        {inputButton_, kSelectInputFile, inputField_},
        {folderButton_, kSelectOutputFolder, folderBox_},
        {formatButton_, kOutputFormatOptions, formatBox_},
    };
    for (const SmallButton& small : smallButtons) {
        const CommandInfo& info = commandInfo(small.command);
        const wxBitmap icon = tableBitmap(pictures_, smallIconTable, info.icon, kSmallIconSize);
        small.button = new wxButton(panel_, commandId(small.command), icon.IsOk() ? "" : "...", wxDefaultPosition,
                                    wxDefaultSize, wxBU_EXACTFIT);
        if (icon.IsOk())
            small.button->SetBitmap(icon);
        small.button->SetToolTip(toWx(menuText(info.key)));
        setAccessibleName(small.button, toWx(menuText(info.key)));
        makeCompactButton(small.button);
        small.button->MoveAfterInTabOrder(small.after);
    }

    const int convertSize = FromDIP(kConvertSize);
    const wxBitmap picture = convertPicture();
    convertButton_ = new wxButton(panel_, commandId(kConvert), picture.IsOk() ? "" : toWx(menuText("Convert")),
                                  wxDefaultPosition, wxSize(convertSize, convertSize));
    if (picture.IsOk())
        convertButton_->SetBitmap(picture);
    convertButton_->SetToolTip(toWx(menuText("Convert")));
    setAccessibleName(convertButton_, toWx(menuText("Convert")));
    convertButton_->MoveAfterInTabOrder(formatButton_);
}

wxBitmap MainFrame::convertPicture() const
{
    return tableBitmapWithin(pictures_, buttonImageTable, "Convert",
                             FromDIP(kConvertSize) - FromDIP(kConvertPicturePadding));
}

// A new theme's pictures on the buttons that show one. A picture the toolkit
// cannot read leaves the button as it is; one that began with a text keeps it.
void MainFrame::showPanelButtonPictures()
{
    const std::pair<wxButton*, Command> smallButtons[] = {
        {inputButton_, kSelectInputFile},
        {folderButton_, kSelectOutputFolder},
        {formatButton_, kOutputFormatOptions},
    };
    for (const auto& [button, command] : smallButtons) {
        const wxBitmap icon = tableBitmap(pictures_, smallIconTable, commandInfo(command).icon, kSmallIconSize);
        if (icon.IsOk() && button->GetBitmap().IsOk())
            button->SetBitmap(icon);
    }
    const wxBitmap picture = convertPicture();
    if (picture.IsOk() && convertButton_->GetBitmap().IsOk())
        convertButton_->SetBitmap(picture);
}

// The toolkit takes a drop only on a control that accepts it or sits inside
// one that does; the bars are not inside the frame's client area.
void MainFrame::acceptDrops(wxWindow* window)
{
    window->SetDropTarget(new InputDropTarget(this));
}

// Places the controls for the panel's width; returns the height they need.
// Widths and x positions are fixed; each row is as tall as its tallest control.
int MainFrame::layoutPanel()
{
    const int width = panel_->GetClientSize().x;
    const int labelHeight = inputLabel_->GetBestSize().y;
    const int fieldWidth = std::max(width - FromDIP(kFieldWidthLess), FromDIP(kMargin));
    struct Row {
        wxStaticText* label;
        wxWindow* field;
        wxButton* button;
    };
    const Row rows[] = {
        {inputLabel_, inputField_, inputButton_},
        {folderLabel_, folderBox_, folderButton_},
        {formatLabel_, formatBox_, formatButton_},
    };
    int y = FromDIP(kTopGap);
    int firstFieldY = y;
    for (const Row& row : rows) {
        row.label->SetSize(FromDIP(kMargin), y, FromDIP(kLabelWidth), labelHeight);
        y += labelHeight;
        if (row.label == inputLabel_)
            firstFieldY = y;
        const int fieldHeight = row.field->GetBestSize().y;
        const wxSize buttonSize = row.button->GetBestSize();
        const int rowHeight = std::max(fieldHeight, buttonSize.y);
        row.field->SetSize(FromDIP(kMargin), y + (rowHeight - fieldHeight) / 2, fieldWidth, fieldHeight);
        row.button->SetSize(width - FromDIP(kSmallButtonFromRight), y + (rowHeight - buttonSize.y) / 2, buttonSize.x,
                            buttonSize.y);
        y += rowHeight + FromDIP(kRowGap);
    }
    const int convertSize = FromDIP(kConvertSize);
    convertButton_->SetSize(width - FromDIP(kConvertFromRight), firstFieldY, convertSize, convertSize);

    y = std::max(y, firstFieldY + convertSize + FromDIP(kRowGap));
    const int noticeHeight = notice_->GetBestSize().y;
    notice_->SetSize(FromDIP(kMargin), y + FromDIP(kRowGap), FromDIP(kLabelWidth), noticeHeight);
    return y + FromDIP(kRowGap) + noticeHeight + FromDIP(kMargin);
}

// The window is exactly as tall as its content needs, never less than the
// least inner height; only its width follows the user.
void MainFrame::fixHeight()
{
    int chrome = 0;
    if (wxMenuBar* bar = GetMenuBar())
        chrome += bar->GetBestSize().y;
    if (wxToolBar* bar = GetToolBar())
        chrome += bar->GetBestSize().y;
    if (wxStatusBar* bar = GetStatusBar())
        chrome += bar->GetBestSize().y;
    const int height = std::max(layoutPanel(), FromDIP(kMinInnerHeight) - chrome);
    // The old limits go first, so that the new least height never exceeds an old greatest.
    SetMaxClientSize(wxDefaultSize);
    SetMinClientSize(wxSize(FromDIP(kMinInnerWidth), height));
    SetMaxClientSize(wxSize(-1, height));
    SetClientSize(std::max(GetClientSize().x, FromDIP(kMinInnerWidth)), height);
}

void MainFrame::relayout()
{
    layoutPanel();
    Refresh();
}

void MainFrame::applyInterfaceChanges(InterfaceRefresh refresh)
{
    if (refresh == InterfaceRefresh::kNothing)
        return;
    const bool everything = refresh == InterfaceRefresh::kTheme;
    loadInterfacePictures(g_settings, executableFolder(), everything ? kEveryPictureTable : kToolbarPictures,
                          pictures_);
    if (everything) {
        buildMenuBar();
        showPanelButtonPictures();
        const wxBitmap folderIcon = tableBitmap(pictures_, smallIconTable, "FavFolder", kSmallIconSize);
        for (unsigned i = 0; i < folderBox_->GetCount(); ++i)
            folderBox_->SetItemBitmap(i, folderIcon);
        fillOutputFormatBox();
    }
    buildToolBar();
    fixHeight();
    relayout();
}

void MainFrame::fillOutputFormatBox()
{
    const FormatBoxContent content = outputFormatBoxItems(true, g_settings.outputFormat);
    const wxBitmap icon = tableBitmap(pictures_, smallIconTable, "New", kSmallIconSize);
    formatBox_->Clear();
    formatIndexOfItem_.clear();
    for (const FormatBoxItem& item : content.items) {
        formatBox_->Append(toWx(item.text), icon);
        formatIndexOfItem_.push_back(item.formatIndex);
    }
    if (!content.items.empty())
        formatBox_->SetSelection(content.selected);
}

void MainFrame::refreshOutputFolderBox()
{
    const FolderBoxContent content = outputFolderBoxContent(g_settings, job_.outputFolder);
    if (!content.refill)
        return;
    const wxBitmap icon = tableBitmap(pictures_, smallIconTable, "FavFolder", kSmallIconSize);
    folderBox_->Clear();
    for (const std::string& folder : content.items)
        folderBox_->Append(toWx(folder), icon);
    if (content.selected >= 0)
        folderBox_->SetSelection(content.selected);
    folderBox_->nameAfterShownItem();
}

std::string MainFrame::folderBoxText() const
{
    const int selected = folderBox_->GetSelection();
    return selected == wxNOT_FOUND ? std::string() : fromWx(folderBox_->GetString(selected));
}

int MainFrame::formatIndexOfItem(int item) const
{
    return item >= 0 && static_cast<size_t>(item) < formatIndexOfItem_.size() ? formatIndexOfItem_[item] : 0;
}

void MainFrame::takeInputFile(const std::string& path)
{
    const InputFileTaken taken = ::takeInputFile(path, folderBoxText(), job_, g_settings);
    if (!taken.accepted)
        return;
    inputField_->ChangeValue(toWx(taken.inputFieldText));
    inputField_->SetInsertionPointEnd();
    if (taken.folderChosen)
        refreshOutputFolderBox();
}

void MainFrame::newJob()
{
    refreshOutputFolderBox();
    job_ = ::newJob();
    inputField_->ChangeValue("");
    folderBox_->SetSelection(wxNOT_FOUND);
    folderBox_->nameAfterShownItem();
}

void MainFrame::chooseInputFile()
{
    wxFileDialog dialog(this, toWx(lookupText("Dialog", "Select Input Files")), "", "", toWx(inputFileDialogFilter()),
                        wxFD_OPEN | wxFD_FILE_MUST_EXIST);
    dialog.SetFilterIndex(0);
    if (dialog.ShowModal() == wxID_OK)
        takeInputFile(fromWx(dialog.GetPath()));
    relayout();
}

void MainFrame::chooseOutputFolder()
{
    wxDirDialog dialog(this, toWx(lookupText("Dialog", "Select Output Folder")),
                       toWx(folderDialogStart(folderBoxText(), job_)), wxDD_DEFAULT_STYLE | wxDD_DIR_MUST_EXIST);
    if (dialog.ShowModal() == wxID_OK && takeOutputFolder(fromWx(dialog.GetPath()), job_, g_settings))
        refreshOutputFolderBox();
    relayout();
}

void MainFrame::openPreferencesOn(bool outputPage)
{
    const InterfaceRefresh refresh =
        openPreferences(this, outputPage ? PreferencesPage::Output : PreferencesPage::General, pictures_);
    // Later: the menu, tool or button that opened the preferences may be among
    // the controls rebuilt, and must not be destroyed inside its own event.
    CallAfter([this, refresh] {
        applyInterfaceChanges(refresh);
        // The preferences may have changed the output format and the number of recent folders.
        fillOutputFormatBox();
        refreshOutputFolderBox();
    });
}

void MainFrame::SetStatusText(const wxString& text, int number)
{
    wxFrame::SetStatusText(text, number);
    if (wxStatusBar* bar = GetStatusBar())
        setAccessibleName(bar, text);
}

void MainFrame::runInteractiveConversion()
{
    SetStatusText(toWx(lookupText("General", "Preparing")));
    const int formatItem = formatBox_->GetSelection();
    ConversionRequest request;
    request.inputText = fromWx(inputField_->GetValue());
    request.folderBoxText = folderBoxText();
    request.formatIndex = formatIndexOfItem(formatItem);
    const ConversionCheck check = prepareInteractiveConversion(request, job_, g_settings);
    SetStatusText(toWx(check.statusText));
    if (!check.ready) {
        showWarning(this, check.warningText);
        return;
    }
    if (check.folderRemembered)
        refreshOutputFolderBox();
    ConversionRun run(g_settings, job_, check.files);
    endInteractiveConversion(job_, runProgressDialog(this, run));
}

void MainFrame::onCommand(wxCommandEvent& event)
{
    switch (event.GetId() - kFirstCommandId) {
    case kNew: newJob(); break;
    case kExit: Close(); break;
    case kSelectInputFile: chooseInputFile(); break;
    case kSelectOutputFolder: chooseOutputFolder(); break;
    case kOutputFormatOptions: openPreferencesOn(true); break;
    case kConvert: runInteractiveConversion(); break;
    case kCustomConverter: openCustomConverter(this); break;
    case kPreferences: openPreferencesOn(false); break;
    case kManual: openWithShell(manualPath(executableFolder())); break;
    case kSendFeedback: openWithShell(feedbackMailLink()); break;
    case kVisitHomepage: openWithShell(homePageAddress()); break;
    case kCheckForNewVersion: checkForUpdates(this); break;
    case kAbout: openAboutBox(this, pictures_); break;
    default: break;
    }
}

void MainFrame::onFolderBoxChosen(wxCommandEvent&)
{
    job_.outputFolder = folderBoxText();
}

void MainFrame::onFormatBoxChosen(wxCommandEvent&)
{
    const int item = formatBox_->GetSelection();
    if (item != wxNOT_FOUND)
        g_settings.outputFormat = outputFormatAt(formatIndexOfItem(item));
}

void MainFrame::onClose(wxCloseEvent&)
{
    LeavingWindow window;
    window.maximized = IsMaximized();
    window.minimized = IsIconized();
    const wxPoint corner = GetPosition();
    const wxSize inner = innerWindowSize(this);
    window.placement = {corner.x, corner.y, inner.x, inner.y};
    storeLeavingState(g_settings, window);
    Destroy();
}
