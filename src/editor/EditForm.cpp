#include "editor/EditForm.h"

#include <QCheckBox>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QScreen>
#include <QScrollBar>
#include <string>
#include <string_view>
#include <utility>

#include "widgets/Edit97.h"
#include "hints/Hint95.h"
#include "button/ToolbarButton97.h"
#include "widgets/Bevel.h"
#include "widgets/ClickLabel.h"
#include "web/GoToWeb.h"
#include "editor/EditFormKeys.h"
#include "editor/EditorFont.h"
#include "editor/EditFormNames.h"
#include "editor/EditorTools.h"
#include "editor/InputDialog.h"
#include "widgets/LayerGrid.h"
#include "widgets/ListBox.h"
#include "widgets/Panel.h"
#include "widgets/ScrollBar.h"
#include "widgets/UpDown.h"
#include "files/Cp1252.h"
#include "layout/LayoutAttributes.h"
#include "layout/LayoutFile.h"
#include "platform/ResourceImage.h"
#include "platform/CursorTable.h"
#include "platform/ErrorBox.h"
#include "platform/WindowCentring.h"

namespace tilvaro {

namespace {

// The subject of a new e-mail to the contact address.
const char kMailSubject[] = "Tilvaro - Layout Editor";

const QString kFailureCaption = QStringLiteral("Fehler ...");
const QString kOpenCaption = QStringLiteral("Layout öffnen ...");
const QString kOpenPrompt = QStringLiteral(
    "Bitte Dateiname ohne Endung/Pfad angeben (Entsprechende Dateien sind im Unterverzeichnis "
    "Layout zu finden).");
const QString kSaveCaption = QStringLiteral("Layout speichern ...");
const QString kSavePrompt = QStringLiteral(
    "Bitte Dateiname ohne Endung/Pfad angeben (Diese Datei wird im Unterverzeichnis Layout "
    "gespeichert).");
const QString kTileAddCaption = QStringLiteral("Stein hinzufügen ...");
const QString kTileRenameCaption = QStringLiteral("Stein umbenennen ...");
const QString kTilePrompt = QStringLiteral(
    "Bitte Dateiname ohne Endung/Pfad angeben (Entsprechende Dateien sind im Unterverzeichnis "
    "Tiles zu finden).");
const QString kLayoutNotFound = QStringLiteral("Layout nicht gefunden");
// The two sentences are separated by a blank line; Qt's message box needs line feeds for that
// where the classic box took carriage returns.
const QString kOddCountRefusal =
    QStringLiteral("Ungerade Anzahl an Steinen.\n\nSpeichern nicht möglich!");

const QColor kTeal(0, 128, 128);
const QColor kMenuTitleColour(0, 191, 191);
const QColor kStripTextColour(128, 128, 128);

void SetTextColour(QWidget& widget, const QColor& colour) {
  QPalette palette = widget.palette();
  palette.setColor(QPalette::WindowText, colour);
  widget.setPalette(palette);
}

void SetBackground(QWidget& widget, const QColor& colour) {
  QPalette palette = widget.palette();
  palette.setColor(QPalette::Window, colour);
  widget.setPalette(palette);
  widget.setAutoFillBackground(true);
}

QImage ResourceImage(const char* path) { return LoadResourceImage(QString::fromLatin1(path)); }

// The refusal for a text that Windows-1252 cannot hold, naming the field and the character.
QString UnencodableText(const QString& field, char32_t character) {
  const QString code = QStringLiteral("%1").arg(static_cast<uint>(character), 4, 16, QLatin1Char('0')).toUpper();
  return QStringLiteral(
             "Das Zeichen „%1“ (U+%2) im Feld „%3“ kann in einer Layout-Datei nicht gespeichert "
             "werden.\n\nSpeichern nicht möglich!")
      .arg(QString::fromUcs4(&character, 1), code, field);
}

}  // namespace

TEditForm::TEditForm(QWidget* parent, Start start, const std::function<void()>& beforeFonts) : QWidget(parent) {
  setWindowTitle(QStringLiteral("Tilvaro - Layout Editor"));
  // A fixed single border: system menu, minimise and close, no maximise.
  setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                 Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint);
  setFixedSize(kClientWidth, kClientHeight);
  // The framed window, not just its client area, is centred (again once the window manager framed it).
  CentreOnScreen(*this);
  if (start == Start::ShownFirst) show();
  if (beforeFonts) beforeFonts();
  // The font is set before any control is made, so that all of them inherit it.
  setFont(EditorFont(11));
  AskText = [this](const QString& caption, const QString& prompt, QString& text, const QStringList& completions) {
    return AskForText(caption, prompt, text, completions);
  };

  // The launcher behind the logo and the copyright line.
  GoWWW = new TGoToWeb(this);
  GoWWW->SetUrl(QString::fromLatin1(kWebAddress));
  GoWWW->SetEMail(QString::fromLatin1(kContactAddress));
  GoWWW->SetEMailSubject(QString::fromLatin1(kMailSubject));
  GoWWW->SetBrowserState(TBrowserState::gwMaximized);

  CreateControls();
  ConfigureControls();
  tools_ = std::make_unique<EditorTools>(*this);
  Hint95 = new THint95(this);
  Hint95->setObjectName(QStringLiteral("Hint95"));
  Hint95->SetHintStyle(THintStyle::hsOffice97);  // the window's design value, set once made
  WireEvents();
  InstallCommandKeys(*this);
  SetTabOrder();
  NameEditFormControls(*this);
  if (start == Start::ShownFirst) ShowBuiltControls();
  FormCreate(this);
}

void TEditForm::ShowBuiltControls() {
  // Children made inside a visible window stay hidden until shown; show them as showing the window
  // would have: all but those hidden on purpose and the dialogs.
  for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    if (!child->isWindow() && !child->testAttribute(Qt::WA_WState_ExplicitShowHide)) child->show();
  }
}

TEditForm::~TEditForm() = default;

void TEditForm::ConfigureControls() {
  UpDown_Layer->SetRange(1, 4);
  UpDown_Layer->SetPosition(1);
  UpDown_Layer->SetWrap(false);
  CBX_Inscripe->setChecked(false);
  for (TScrollBar* bar : {SBar_LayerCount, SBar_3D}) {
    bar->setSingleStep(1);
    bar->setPageStep(1);
  }
  SBar_LayerCount->setRange(1, 4);
  SBar_LayerCount->setValue(1);
  SBar_3D->setRange(1, 8);
  SBar_3D->setValue(1);
  LBox_Tiles->SetItemHeight(13);

  SetBackground(*Pnl_LeftMenu, kTeal);
  SetTextColour(*Lbl_Menu, kMenuTitleColour);
  SetTextColour(*Lbl_MenuHelp, Qt::white);
  SetTextColour(*Lbl_Hinweis, Qt::white);
  for (TToolbarButton97* button : {Btn_New, Btn_Open, Btn_Save}) {
    button->SetLayout(TButtonLayout::blGlyphTop);
    button->SetOpaque(false);  // the teal panel shows through
  }
  Btn_New->SetGlyph(ResourceImage(":/images/new.xpm"));
  Btn_Open->SetGlyph(ResourceImage(":/images/open.xpm"));
  Btn_Save->SetGlyph(ResourceImage(":/images/save.xpm"));

  SetBackground(*Pnl_TopGFX, Qt::black);
  Img_qmLogo->setPixmap(QPixmap::fromImage(ResourceImage(":/images/logo.xpm")));
  SetTextColour(*Lbl_Copyright, kStripTextColour);
  SetTextColour(*Lbl_Version, kStripTextColour);

  Btn_TileAdd->SetFontColor(Qt::blue);
  Btn_TileDel->SetFontColor(Qt::red);
  Btn_TileName->SetFontColor(Qt::blue);
  Btn_TileName->SetGlyph(ResourceImage(":/images/rename.xpm"));
  SetTextColour(*Lbl_Warn, Qt::red);
  Lbl_Warn->hide();
  setObjectName(QStringLiteral("EditForm"));
}

void TEditForm::WireEvents() {
  // The controls raise their events through RaiseEvent, which reports a handler's exception.
  Btn_New->OnClick = [this](QObject* sender) { Btn_NewClick(sender); };
  Btn_Open->OnClick = [this](QObject* sender) { Btn_OpenClick(sender); };
  Btn_Save->OnClick = [this](QObject* sender) { Btn_SaveClick(sender); };
  Btn_TileAdd->OnClick = [this](QObject* sender) { Btn_TileAddClick(sender); };
  Btn_TileDel->OnClick = [this](QObject* sender) { Btn_TileDelClick(sender); };
  Btn_TileName->OnClick = [this](QObject* sender) { Btn_TileNameClick(sender); };
  Layer_Control->OnClick = [this](QObject* sender) { Layer_ControlClick(sender); };
  UpDown_Layer->OnClick = [this](QObject* sender, TUpDown::TUDBtnType) { UpDown_LayerClick(sender); };
  Img_qmLogo->OnClick = [this](QObject* sender) { Img_qmLogoClick(sender); };
  Lbl_Copyright->OnClick = [this](QObject* sender) { Lbl_CopyrightClick(sender); };
  // valueChanged is emitted only when the position really changes, by the user or by code.
  connect(SBar_LayerCount, &QScrollBar::valueChanged, this,
          [this] { RunGuarded([this] { SBar_LayerCountChange(SBar_LayerCount); }); });
  connect(SBar_3D, &QScrollBar::valueChanged, this,
          [this] { RunGuarded([this] { SBar_3DChange(SBar_3D); }); });
}

void TEditForm::SetTabOrder() {
  // The panels hold no control that takes the focus, so the chain runs over the window's own
  // focusable controls.
  QWidget* const order[] = {Edit_Name, Edit_Author,  Edit_Back,    CBX_Inscripe, SBar_LayerCount,
                            SBar_3D,   Layer_Control, UpDown_Layer, LBox_Tiles};
  for (std::size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);
  Edit_Name->setFocus();
}

void TEditForm::FormCreate(QObject*) {
  std::error_code error;
  StartDir = std::filesystem::current_path(error);
  // A working directory that has been removed has no path; "." then keeps every layout path
  // relative to it, so opening finds nothing and saving fails with a message, instead of reaching
  // for a "/layouts" folder at the root.
  if (error || StartDir.empty()) StartDir = ".";
  if (RegisterLinkCursor()) {
    CursorTable::Apply(*Img_qmLogo, kLinkCursorNumber);
    CursorTable::Apply(*Lbl_Copyright, kLinkCursorNumber);
  }
}

int TEditForm::AskForText(const QString& caption, const QString& prompt, QString& text,
                          const QStringList& completions) {
  if (eInput == nullptr) eInput = new TeInput(this);
  return ShowInputDialog(*eInput, caption, prompt, text, completions);
}

QStringList TEditForm::LayoutNameList() const {
  QStringList names;
  for (const std::string& name : LayoutNames(StartDir)) names << QFile::decodeName(QByteArray::fromStdString(name));
  return names;
}

void TEditForm::ShowFailure(const QString& text) { ShowErrorBox(this, text, kFailureCaption); }

std::filesystem::path TEditForm::LayoutPath(const QString& name) const {
  // Layout names are file names: they go to the file system in its own encoding, not Windows-1252.
  const QByteArray fileName = QFile::encodeName(name);
  return LayoutFilePath(StartDir, std::string_view(fileName.constData(), fileName.size()));
}

// ---- Commands ----------------------------------------------------------------------------------

void TEditForm::Btn_NewClick(QObject*) {
  const EditorHistory::CommandStep step(tools_->History(), EditorHistory::CommandStep::Scope::Document);
  UpDown_Layer->SetPosition(1);
  // Moving the current cell clicks the cell moved to; the flags it sets are wiped just below.
  Layer_Control->SetRow(0);
  Layer_Control->SetCol(0);
  SetDocument(DocumentState{});
  Lbl_CLayer->setText(QStringLiteral("1"));
  Update_Grid();
}

void TEditForm::SBar_LayerCountChange(QObject*) {
  SBar_LayerCount->setToolTip(QString::number(SBar_LayerCount->value()) + QStringLiteral(" Ebene(n)"));
}

void TEditForm::SBar_3DChange(QObject*) {
  SBar_3D->setToolTip(QString::fromUtf8(ColourSchemeName(SBar_3D->value())));
}

void TEditForm::Update_Grid() {
  const int layer = UpDown_Layer->Position();
  Layer_Control->setAccessibleName(LayerGridName(layer));
  for (int col = 0; col < kColumns; ++col) {
    for (int row = 0; row < kRows; ++row) {
      Layer_Control->SetCell(col, row, LayerCells.HasTile(col, row, layer) ? TLayerGrid::kTileMark
                                                                          : QString());
    }
  }
  tools_->GridRedrawn();
  Check_Anzahl();
}

void TEditForm::Check_Anzahl() { Lbl_Warn->setVisible(!LayerCells.IsEven()); }

void TEditForm::UpDown_LayerClick(QObject*) {
  Update_Grid();
  Lbl_CLayer->setText(QString::number(UpDown_Layer->Position()));
}

void TEditForm::Layer_ControlClick(QObject*) {
  const int col = Layer_Control->Col();
  const int row = Layer_Control->Row();
  if (Layer_Control->Cell(col, row).toUpper() == QStringLiteral("G")) {
    Layer_Control->SetCell(col, row, QString());
  } else {
    Layer_Control->SetCell(col, row, TLayerGrid::kTileMark);
  }
  LayerCells(col, row, UpDown_Layer->Position()) =
      Layer_Control->Cell(col, row) == TLayerGrid::kTileMark ? 1 : 0;
  Check_Anzahl();
  tools_->History().CellToggled(col, row, UpDown_Layer->Position());
}

void TEditForm::Btn_OpenClick(QObject*) {
  QString name = LayoutName;
  if (AskText(kOpenCaption, kOpenPrompt, name, LayoutNameList()) != 1) {
    Update_Grid();
    return;
  }
  OpenLayoutFile(LayoutPath(name), name);
}

void TEditForm::OpenLayoutFile(const std::filesystem::path& file, const QString& name) {
  // The layout replaced, also by a failed Open, comes back with Undo, in one step.
  const EditorHistory::CommandStep step(tools_->History(), EditorHistory::CommandStep::Scope::Document);
  const LayoutReadResult read = ReadLayoutFile(file);
  if (read.status == LayoutReadStatus::Unreadable) {
    // The file is there but cannot be read. The current layout and name stay as they are: an
    // empty layout under this name would let the next Save write over the real file.
    ShowFailure(QStringLiteral("Layout kann nicht gelesen werden:\n") + QString::fromStdString(read.message));
    Update_Grid();
    return;
  }
  Btn_NewClick(this);
  const bool loaded = read.status == LayoutReadStatus::Loaded;
  DocumentState document = loaded ? DocumentOfLayout(read.layout) : DocumentState{};
  document.layoutName = name.toStdString();
  SetDocument(document);
  // Nothing there, or a folder or other non-file of that name.
  if (!loaded) ShowFailure(kLayoutNotFound);
  Update_Grid();
}

void TEditForm::Btn_SaveClick(QObject*) {
  Check_Anzahl();
  if (!Lbl_Warn->isHidden()) {
    ShowFailure(kOddCountRefusal);
    return;
  }
  // A text that Windows-1252 cannot hold refuses the Save before anything is asked or written, so
  // that no file ever holds a silently changed text.
  const std::optional<Layout> layout = LayoutFromControls();
  if (!layout) return;
  QString name = LayoutName;
  if (AskText(kSaveCaption, kSavePrompt, name, LayoutNameList()) != 1) return;
  LayoutName = name;
  // A failed write throws WriteError, which ends the command and reaches the application's error
  // box; the old file stays as it was.
  WriteLayoutFile(LayoutPath(LayoutName), *layout);
}

void TEditForm::Btn_TileAddClick(QObject*) {
  const EditorHistory::CommandStep step(tools_->History(), EditorHistory::CommandStep::Scope::TileSets);
  QString text;
  if (AskText(kTileAddCaption, kTilePrompt, text, {}) == 1) LBox_Tiles->AddItem(text);
}

void TEditForm::Btn_TileDelClick(QObject*) {
  const EditorHistory::CommandStep step(tools_->History(), EditorHistory::CommandStep::Scope::TileSets);
  const int index = LBox_Tiles->ItemIndex();
  if (LBox_Tiles->Count() > 0 && index >= 0) LBox_Tiles->DeleteItem(index);
}

void TEditForm::Btn_TileNameClick(QObject*) {
  const EditorHistory::CommandStep step(tools_->History(), EditorHistory::CommandStep::Scope::TileSets);
  const int index = LBox_Tiles->ItemIndex();
  if (LBox_Tiles->Count() == 0 || index < 0) return;
  QString text = LBox_Tiles->Item(index);
  if (AskText(kTileRenameCaption, kTilePrompt, text, {}) == 1) LBox_Tiles->SetItem(index, text);
}

// The logo opens the maker's web page, the copyright line a new e-mail to the contact address.
// Without a browser that can be started nothing happens, so the results are not looked at.
void TEditForm::Img_qmLogoClick(QObject*) { GoWWW->OpenWebPage(); }

void TEditForm::Lbl_CopyrightClick(QObject*) { GoWWW->OpenNewMail(); }

// ---- Between controls and layout ---------------------------------------------------------------

DocumentState TEditForm::Document() const {
  DocumentState document;
  document.name = Edit_Name->text().toStdString();
  document.author = Edit_Author->text().toStdString();
  document.background = Edit_Back->text().toStdString();
  document.layerCount = SBar_LayerCount->value();
  document.colourScheme = SBar_3D->value();
  document.inscription = CBX_Inscripe->isChecked();
  document.tileSets.reserve(static_cast<std::size_t>(LBox_Tiles->Count()));
  for (int i = 0; i < LBox_Tiles->Count(); ++i) document.tileSets.push_back(LBox_Tiles->Item(i).toStdString());
  document.cells = LayerCells;
  document.layoutName = LayoutName.toStdString();
  return document;
}

void TEditForm::SetDocument(const DocumentState& document) {
  Edit_Name->setText(QString::fromStdString(document.name));
  Edit_Author->setText(QString::fromStdString(document.author));
  Edit_Back->setText(QString::fromStdString(document.background));
  SBar_LayerCount->setValue(document.layerCount);
  SBar_3D->setValue(document.colourScheme);
  CBX_Inscripe->setChecked(document.inscription);
  LBox_Tiles->ClearItems();
  for (const std::string& entry : document.tileSets) LBox_Tiles->AddItem(QString::fromStdString(entry));
  LayerCells = document.cells;
  LayoutName = QString::fromStdString(document.layoutName);
}

std::optional<Layout> TEditForm::LayoutFromControls() {
  const DocumentState document = Document();
  const auto encode = [this](const std::string& text, const QString& field) -> std::optional<std::string> {
    // A line break (a pasted text can hold one) would end the value's line in the file and turn
    // the rest into a stray line.
    if (text.find_first_of("\n\r") != std::string::npos) {
      ShowFailure(QStringLiteral("Das Feld „%1“ enthält einen Zeilenumbruch, den eine Layout-Datei "
                                 "nicht speichern kann.\n\nSpeichern nicht möglich!")
                      .arg(field));
      return std::nullopt;
    }
    cp1252::EncodeError error{};
    std::optional<std::string> bytes = cp1252::EncodeUtf8(text, &error);
    if (!bytes) ShowFailure(UnencodableText(field, error.character));
    return bytes;
  };
  Layout layout = LayoutWithoutTexts(document);
  LayoutAttributes& attributes = layout.attributes;
  const auto name = encode(document.name, QStringLiteral("Name"));
  if (!name) return std::nullopt;
  const auto author = encode(document.author, QStringLiteral("Autor"));
  if (!author) return std::nullopt;
  const auto background = encode(document.background, QStringLiteral("Hintergrundbild"));
  if (!background) return std::nullopt;
  attributes.name = *name;
  attributes.author = *author;
  attributes.background = *background;
  for (std::size_t i = 0; i < document.tileSets.size(); ++i) {
    std::optional<std::string> entry =
        encode(document.tileSets[i], QStringLiteral("Steine, Eintrag %1").arg(static_cast<qulonglong>(i + 1)));
    if (!entry) return std::nullopt;
    attributes.tileSets.push_back(std::move(*entry));
  }
  return layout;
}

}  // namespace tilvaro
