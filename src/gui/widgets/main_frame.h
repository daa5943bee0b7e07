#pragma once

#include <wx/frame.h>

#include <string>
#include <vector>

#include "engine/job_state.h"
#include "gui/image_tables.h"
#include "gui/interface_refresh.h"

class wxButton;
class wxPanel;
class wxStaticText;
class wxTextCtrl;
class PictureListBox;

// The main window: it shows the job's input file, output folder and output
// format and forwards every command to the rules and dialogs behind it.
class MainFrame : public wxFrame {
public:
    explicit MainFrame(PictureSlots pictures);

    // Opens the window with a new empty job: where the settings place it, or
    // centred on the screen when they hold no placement of the user's.
    void start(bool placementStored);

    // After the preferences: kIconSize reloads the toolbar icons at the chosen
    // size and rebuilds the toolbar; kTheme reloads every picture of the
    // window. Never to be called from an event of a control it rebuilds.
    void applyInterfaceChanges(InterfaceRefresh refresh);

    // Takes path as the input file when it is accepted (from the file dialog,
    // a drop or the screenshots).
    void takeInputFile(const std::string& path);

    // Shows the recent folders again and selects the job's output folder.
    void refreshOutputFolderBox();

    // The status bar is drawn by the toolkit itself; its text is also given
    // as its accessible name, so that assistive tools can read it.
    void SetStatusText(const wxString& text, int number = 0) override;

private:
    void acceptDrops(wxWindow* window);
    void buildMenuBar();
    void buildToolBar();
    void buildPanel();
    void buildPanelButtons();
    wxBitmap convertPicture() const;
    void showPanelButtonPictures();
    void fillOutputFormatBox();
    int layoutPanel();
    void fixHeight();
    void relayout();
    std::string folderBoxText() const;
    int formatIndexOfItem(int item) const;

    void onCommand(wxCommandEvent& event);
    void onClose(wxCloseEvent& event);
    void onFolderBoxChosen(wxCommandEvent& event);
    void onFormatBoxChosen(wxCommandEvent& event);

    void newJob();
    void chooseInputFile();
    void chooseOutputFolder();
    void openPreferencesOn(bool outputPage);
    void runInteractiveConversion();

    PictureSlots pictures_;
    wxPanel* panel_ = nullptr;
    wxStaticText* inputLabel_ = nullptr;
    wxTextCtrl* inputField_ = nullptr;
    wxButton* inputButton_ = nullptr;
    wxStaticText* folderLabel_ = nullptr;
    PictureListBox* folderBox_ = nullptr;
    wxButton* folderButton_ = nullptr;
    wxStaticText* formatLabel_ = nullptr;
    PictureListBox* formatBox_ = nullptr;
    wxButton* formatButton_ = nullptr;
    wxButton* convertButton_ = nullptr;
    wxStaticText* notice_ = nullptr;
    std::vector<int> formatIndexOfItem_;
    JobState job_;  // the job the window shows and edits
};
