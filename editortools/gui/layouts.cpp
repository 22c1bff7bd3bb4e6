// The tab pages and their controls.
#include "gui/layouts.h"

#include "gui/editfieldex.h"
#include "gui/gridcolumns.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace {

template <class Control>
Control* named(Control* control, const char* id, const char* tip = nullptr) {
    control->setObjectName(id);
    if (tip) control->setToolTip(tip);
    return control;
}

QPushButton* button(QWidget* parent, const char* id, const char* caption, const char* tip) {
    return named(new QPushButton(caption, parent), id, tip);
}

// Tab leaves a grid for the next control, as the arrow keys move inside it.
QTableView* grid(QWidget* parent, QAbstractItemView::SelectionMode mode) {
    auto* view = named(new QTableView(parent), "array");
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(mode);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setTabKeyNavigation(false);
    view->verticalHeader()->hide();
    view->setWordWrap(false);
    view->setItemDelegate(new CutTextTips(view));
    return view;
}

// The page laid out at its layout's size, so that its grid's columns know their widths there.
void sharecolumns(QWidget* page, QTableView* view) {
    page->layout()->activate();
    new SharedColumns(view, view->width() - 2 * view->frameWidth());
}

QComboBox* droplist(QWidget* parent, const char* id, const char* tip) {
    auto* list = named(new QComboBox(parent), id, tip);
    list->setEditable(false);
    list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    return list;
}

QLabel* label(QWidget* parent, const char* caption, QWidget* buddy, const char* id = nullptr) {
    auto* text = new QLabel(caption, parent);
    if (id) text->setObjectName(id);
    if (buddy) text->setBuddy(buddy);
    return text;
}

}  // namespace

WithModifyLayout::WithModifyLayout(QWidget* parent) : QWidget(parent) {
    setObjectName("ModifyLayout");
    resize(550, 311);
    install = button(this, "install", "Install", "Installs the selected tool(s) into an IDE/Text Editor");
    installlist = droplist(this, "installlist", "Select IDE/Text Editor in which the tool(s) should be installed");
    subinstalldir = droplist(this, "subinstalldir", "Select the directory in which the tool(s) should be installed");
    inlabel = label(this, "in", installlist);
    array = grid(this, QAbstractItemView::ExtendedSelection);
    name = named(new QLineEdit(this), "name");
    surname = named(new QLineEdit(this), "surname");
    address = named(new QLineEdit(this), "address");
    logparser = named(new QLineEdit(this), "logparser");
    logparserlabel = label(this, "Log parser", logparser, "logparserlabel");
    add = button(this, "add", "Ad&d", "Adds this tool to the list of tools");
    change = button(this, "change", "&Change", "Changes the tool with the same name in the list");
    Delete = button(this, "Delete", "&Delete", "Deletes the selected tool from the list of tools");
    moveup = button(this, "moveup", "Up", "Moves the selected tool up");
    movedown = button(this, "movedown", "Down", "Moves the selected tool down");

    auto* target = new QHBoxLayout;
    target->addWidget(install);
    target->addWidget(inlabel);
    target->addWidget(installlist, 1);
    target->addWidget(subinstalldir, 1);
    auto* fields = new QGridLayout;
    fields->addWidget(label(this, "&Tool name", name), 0, 0);
    fields->addWidget(name, 0, 1);
    fields->addWidget(label(this, "&Command line", surname), 1, 0);
    fields->addWidget(surname, 1, 1);
    fields->addWidget(label(this, "&Current directory", address), 2, 0);
    fields->addWidget(address, 2, 1);
    fields->addWidget(logparserlabel, 3, 0);
    fields->addWidget(logparser, 3, 1);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {add, change, Delete, moveup, movedown}) buttons->addWidget(b);
    buttons->addStretch();
    auto* page = new QVBoxLayout(this);
    page->addLayout(target);
    page->addWidget(array, 1);
    page->addLayout(fields);
    page->addLayout(buttons);
    sharecolumns(this, array);
}

WithSearchLayout::WithSearchLayout(QWidget* parent) : QWidget(parent) {
    setObjectName("SearchLayout");
    resize(550, 311);
    array = grid(this, QAbstractItemView::SingleSelection);
    setpath = button(this, "setpath", "&Set directory/file", "Sets the directory/file location of the selected IDE");
    copypath = button(this, "copypath", "&Copy path", "Copied the path of the selected IDE into clipboard");
    autodetect = button(this, "autodetect", "&Autodetect", "Autodetect the path of the selected installed IDE ");
    deleteide = button(this, "deleteide", "Delete", "Deletes a copy of Eclipse");
    duplicate = button(this, "duplicate", "Duplicate", "Creates a copy of selected IDE (only Eclipse)");
    backup = button(this, "backup", "&Backup", "Backups all the tools of IDE/Text Editor");
    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {setpath, copypath, autodetect, deleteide, duplicate, backup}) buttons->addWidget(b);
    buttons->addStretch();
    auto* page = new QHBoxLayout(this);
    page->addWidget(array, 1);
    page->addLayout(buttons);
    sharecolumns(this, array);
}

WithBackupsLayout::WithBackupsLayout(QWidget* parent) : QWidget(parent) {
    setObjectName("BackupsLayout");
    resize(550, 311);
    backupdirectory = named(new EditFieldEx(this), "backupdirectory");
    backuplabel = label(this, "Backup directory", backupdirectory, "backuplabel");
    browse = button(this, "browse", "&Browse", "Set backup directory by browsing");
    array = grid(this, QAbstractItemView::SingleSelection);
    Restore = button(this, "Restore", "&Restore selection", "Restores elected backup");
    copypath = button(this, "copypath", "&Copy path", "Copies the path of the backup into the clipboard");
    confirmdelete = named(new QCheckBox("&confirm delete", this), "confirmdelete",
                          "When you press Delete selection a confirmation windows will pop up");
    Delete = button(this, "Delete", "&Delete selection", "Deletes selected backup totally");
    auto* directory = new QHBoxLayout;
    directory->addWidget(backuplabel);
    directory->addWidget(backupdirectory, 1);
    directory->addWidget(browse);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Restore);
    buttons->addWidget(copypath);
    buttons->addStretch();
    buttons->addWidget(confirmdelete);
    buttons->addWidget(Delete);
    auto* page = new QVBoxLayout(this);
    page->addLayout(directory);
    page->addWidget(array, 1);
    page->addLayout(buttons);
    sharecolumns(this, array);
}

WithAboutLayout::WithAboutLayout(QWidget* parent) : QDialog(parent) {
    setObjectName("AboutLayout");
    setWindowTitle("About");
    resize(290, 115);
    abouttext = named(new QLabel(this), "abouttext");
    abouttext->setTextFormat(Qt::RichText);
    abouttext->setWordWrap(true);
    abouttext->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    abouttext->setTextInteractionFlags(Qt::TextBrowserInteraction);
    abouttext->setOpenExternalLinks(false);
    auto* page = new QVBoxLayout(this);
    page->setSizeConstraint(QLayout::SetNoConstraint);  // the layout's size, whatever the font
    page->addWidget(abouttext, 1);
}
