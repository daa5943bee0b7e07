#include "gui/widgets/about_box.h"

#include <gtk/gtk.h>

#include <wx/button.h>
#include <wx/hyperlink.h>
#include <wx/image.h>
#include <wx/log.h>
#include <wx/mstream.h>
#include <wx/sizer.h>
#include <wx/statbmp.h>
#include <wx/statbox.h>
#include <wx/stattext.h>

#include "app/program_identity.h"
#include "gui/web_addresses.h"
#include "gui/widgets/accessible_name.h"
#include "gui/widgets/catalogue_text.h"
#include "gui/widgets/shell_open.h"
#include "gui/widgets/small_dialog_windows.h"
#include "gui/widgets/wx_text.h"

namespace {

constexpr int kBoxWidth = 360;
constexpr int kBannerHeight = 40;
const char* const kNoticeLine = "Kodak PhotoCD pictures to JPEG, by Tessaly";
const char* const kLicenceLine = "Free software under the GNU GPL, version 3 or later";

// The banner picture at the box's width, or an empty bitmap when the slot is
// empty or does not hold a PNG.
wxBitmap bannerBitmap(const PictureSlots& pictures)
{
    auto slot = pictures.find(kBannerSlot);
    if (slot == pictures.end() || slot->second.empty())
        return {};
    if (!wxImage::FindHandler(wxBITMAP_TYPE_PNG))
        wxImage::AddHandler(new wxPNGHandler);
    wxMemoryInputStream stream(slot->second.data(), slot->second.size());
    wxImage image;
    {
        wxLogNull quiet;  // a damaged theme picture only leaves the banner out
        if (!image.LoadFile(stream, wxBITMAP_TYPE_PNG))
            return {};
    }
    if (image.GetWidth() != kBoxWidth || image.GetHeight() != kBannerHeight)
        image.Rescale(kBoxWidth, kBannerHeight, wxIMAGE_QUALITY_HIGH);
    return wxBitmap(image);
}

// GTK draws its own link buttons in the theme's link colour and ignores the
// colours wx passes on; a style of the button's own wins over the theme.
void paintLinkBlue(GtkWidget* link)
{
    GtkCssProvider* style = gtk_css_provider_new();
    gtk_css_provider_load_from_data(style, "*, *:link, *:visited, *:hover { color: #0000ff; }", -1, nullptr);
    gtk_style_context_add_provider(gtk_widget_get_style_context(link), GTK_STYLE_PROVIDER(style),
                                   GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
    if (GTK_IS_BIN(link))
        if (GtkWidget* label = gtk_bin_get_child(GTK_BIN(link)))
            gtk_style_context_add_provider(gtk_widget_get_style_context(label), GTK_STYLE_PROVIDER(style),
                                           GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
    g_object_unref(style);
}

wxHyperlinkCtrl* blueLink(wxWindow* parent, const wxString& label, const std::string& target, const char* name)
{
    auto* link = new wxHyperlinkCtrl(parent, wxID_ANY, label, toWx(target), wxDefaultPosition, wxDefaultSize,
                                     wxHL_ALIGN_LEFT | wxNO_BORDER, name);
    link->SetNormalColour(*wxBLUE);
    link->SetVisitedColour(*wxBLUE);
    paintLinkBlue(link->GetHandle());
    link->Bind(wxEVT_HYPERLINK, [target](wxHyperlinkEvent&) { openWithShell(target); });
    return link;
}

}  // namespace

AboutBox::AboutBox(wxWindow* parent, const PictureSlots& pictures)
    : wxDialog(parent, wxID_ANY, catalogueText("About", "Title"), wxDefaultPosition, wxDefaultSize,
               wxCAPTION | wxCLOSE_BOX | wxSYSTEM_MENU, "about")
{
    auto* column = new wxBoxSizer(wxVERTICAL);
    wxBitmap banner = bannerBitmap(pictures);
    if (banner.IsOk()) {
        auto* picture = new wxStaticBitmap(this, wxID_ANY, banner);
        setAccessibleName(picture, toWx(programTitle));
        column->Add(picture);
    }

    auto* frame = new wxStaticBoxSizer(wxVERTICAL, this);
    wxWindow* inside = frame->GetStaticBox();
    auto* title = new wxStaticText(inside, wxID_ANY, toWx(titledName(programTitle, programVersion)), wxDefaultPosition,
                                   wxDefaultSize, wxALIGN_CENTRE_HORIZONTAL, "title");
    title->SetFont(title->GetFont().Bold());
    auto* notice = new wxStaticText(inside, wxID_ANY, kNoticeLine, wxDefaultPosition, wxDefaultSize,
                                    wxALIGN_CENTRE_HORIZONTAL, "notice");
    auto* licence = new wxStaticText(inside, wxID_ANY, kLicenceLine, wxDefaultPosition, wxDefaultSize,
                                     wxALIGN_CENTRE_HORIZONTAL, "licence");
    frame->Add(title, 0, wxEXPAND | wxLEFT | wxRIGHT | wxTOP, 10);
    frame->Add(notice, 0, wxEXPAND | wxLEFT | wxRIGHT | wxTOP, 6);
    frame->Add(licence, 0, wxEXPAND | wxLEFT | wxRIGHT | wxTOP, 2);

    auto* links = new wxFlexGridSizer(2, 4, 8);
    links->Add(new wxStaticText(inside, wxID_ANY, catalogueText("About", "Website")), 0, wxALIGN_CENTRE_VERTICAL);
    links->Add(blueLink(inside, toWx(homePageAddress()), homePageAddress(), "website"));
    links->Add(new wxStaticText(inside, wxID_ANY, catalogueText("About", "Email")), 0, wxALIGN_CENTRE_VERTICAL);
    links->Add(blueLink(inside, toWx(supportMailAddress()), "mailto:" + supportMailAddress(), "email"));
    frame->Add(links, 0, wxALIGN_CENTRE_HORIZONTAL | wxALL, 14);
    column->Add(frame, 1, wxEXPAND | wxLEFT | wxRIGHT | wxTOP, 6);

    AccessKeyGroup keys;
    auto* ok = new wxButton(this, wxID_OK, catalogueLabel("Dialog", "OK", keys));
    ok->SetDefault();
    column->Add(ok, 0, wxALIGN_CENTRE_HORIZONTAL | wxALL, 8);

    // Return and Escape both mean OK, wherever the focus is (a link would
    // otherwise take Return for itself).
    Bind(wxEVT_CHAR_HOOK, [this](wxKeyEvent& event) {
        int key = event.GetKeyCode();
        if (IsModal() && (key == WXK_RETURN || key == WXK_NUMPAD_ENTER || key == WXK_ESCAPE))
            EndModal(wxID_OK);
        else
            event.Skip();
    });

    column->SetMinSize(kBoxWidth, -1);
    SetSizerAndFit(column);
    ok->SetFocus();
}

void openAboutBox(wxWindow* parent, const PictureSlots& pictures)
{
    AboutBox box(parent, pictures);
    box.CentreOnParent();
    box.ShowModal();
}
