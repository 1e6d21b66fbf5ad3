#pragma once
// TEditForm: the editor's one main window. The user edits the attributes of one layout, toggles the
// cells of the current layer in a 14 x 7 grid, picks the layer count, the "3D" colour scheme and the
// current layer, and keeps the list of tile-set names; a teal menu strip on the left carries New,
// Open and Save, a black strip across the top the copyright line, the version and the logo.
//
// The layout's attributes have no storage besides the controls that show them: every command reads
// them from the controls when it runs (building a Layout for the file code) and writes them back by
// setting the controls. The cells of all four layers live in LayerCells; the grid shows one layer.
//
// Every handler wired to a control's event runs through RunGuarded, so an exception ends the handler
// and is reported in the application's error box instead of crossing Qt's event dispatch.

#include <QString>
#include <QStringList>
#include <QWidget>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>

#include "layout/LayerCells.h"
#include "layout/Layout.h"
#include "layout/LayoutHistory.h"

class QCheckBox;
class QLabel;

namespace tilvaro {

class EditorTools;
class TBevel;
class TClickLabel;
class TEdit97;
class THint95;
class TGoToWeb;
class TLayerGrid;
class TListBox;
class TPanel;
class TScrollBar;
class TToolbarButton97;
class TUpDown;
class TeInput;

class TEditForm : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kClientWidth = 504;
  static constexpr int kClientHeight = 341;

  // The window's texts that are ours rather than fixed by the layout format.
  static constexpr char kCopyrightLine[] = "(c) 2026 Tilvaro-Team";
  static constexpr char kWebAddress[] = "www.tilvaro.example";
  static constexpr char kContactAddress[] = "layouts@tilvaro.example";

  // How the window comes up. Hidden: built whole; the caller shows it. ShownFirst, for the
  // program's start: the empty window is centred and shown at once, and its controls are built
  // while the display server maps it; they are then shown as they would have been. Nothing is
  // drawn before the event loop runs, so the first frame is the whole window.
  enum class Start { Hidden, ShownFirst };

  // `beforeFonts` runs once the window's frame is made (and shown, for ShownFirst) and before
  // anything asks for a font; the program's start waits there for its font warm-up, so that the
  // window is made and mapped meanwhile.
  explicit TEditForm(QWidget* parent = nullptr, Start start = Start::Hidden,
                     const std::function<void()>& beforeFonts = {});

  ~TEditForm() override;

  // The controls, in their declared order. All are owned by the window.
  QLabel* Lbl_Name = nullptr;
  TEdit97* Edit_Name = nullptr;
  TEdit97* Edit_Author = nullptr;
  QLabel* Lbl_Author = nullptr;
  TLayerGrid* Layer_Control = nullptr;
  TBevel* Bvl_Layer = nullptr;
  QLabel* Lbl_Layer = nullptr;
  TUpDown* UpDown_Layer = nullptr;
  QCheckBox* CBX_Inscripe = nullptr;
  QLabel* Lbl_LayerCount = nullptr;
  TScrollBar* SBar_LayerCount = nullptr;
  TPanel* Pnl_LeftMenu = nullptr;
  TPanel* Pnl_TopGFX = nullptr;
  QLabel* Lbl_Menu = nullptr;
  QLabel* Lbl_MenuHelp = nullptr;
  TToolbarButton97* Btn_New = nullptr;
  TToolbarButton97* Btn_Open = nullptr;
  TToolbarButton97* Btn_Save = nullptr;
  TClickLabel* Img_qmLogo = nullptr;
  TListBox* LBox_Tiles = nullptr;
  TBevel* Bvl_Steine = nullptr;
  QLabel* Lbl_Tiles = nullptr;
  TToolbarButton97* Btn_TileAdd = nullptr;
  TToolbarButton97* Btn_TileDel = nullptr;
  QLabel* Lbl_Back = nullptr;
  TEdit97* Edit_Back = nullptr;
  QLabel* Lbl_Hinweis = nullptr;
  QLabel* Lbl_3D = nullptr;
  TScrollBar* SBar_3D = nullptr;
  QLabel* Lbl_CLayer = nullptr;
  QLabel* Lbl_Warn = nullptr;
  TClickLabel* Lbl_Copyright = nullptr;
  TToolbarButton97* Btn_TileName = nullptr;
  QLabel* Lbl_Version = nullptr;
  THint95* Hint95 = nullptr;  // the hint component: office-style hints for the whole program
  TGoToWeb* GoWWW = nullptr;

  // The handlers, in their declared order. Update_Grid and Check_Anzahl are called by the others.
  void Btn_NewClick(QObject* sender);
  void SBar_LayerCountChange(QObject* sender);
  void SBar_3DChange(QObject* sender);
  void Update_Grid();
  void Check_Anzahl();
  void UpDown_LayerClick(QObject* sender);
  void Layer_ControlClick(QObject* sender);
  void Btn_OpenClick(QObject* sender);
  void Btn_SaveClick(QObject* sender);
  void FormCreate(QObject* sender);
  void Btn_TileAddClick(QObject* sender);
  void Btn_TileDelClick(QObject* sender);
  void Btn_TileNameClick(QObject* sender);
  void Img_qmLogoClick(QObject* sender);
  void Lbl_CopyrightClick(QObject* sender);

  // The document: the cells of all four layers, the bare name of the current layout file as last
  // typed into the Open or Save dialog, and the folder the layouts folder lies in (the working
  // directory when the window was created).
  tilvaro::LayerCells LayerCells;
  QString LayoutName;
  std::filesystem::path StartDir;

  // The input dialog that every command asking for a name shows (created after the window).
  void SetInputDialog(TeInput* dialog) { eInput = dialog; }
  TeInput* InputDialog() const { return eInput; }

  // Asks for a text: caption, prompt, in-out text and the texts offered while typing; returns 1
  // when confirmed. By default it shows eInput through ShowInputDialog; tests may put another
  // function here.
  using TextQuestion = std::function<int(const QString& caption, const QString& prompt, QString& text,
                                         const QStringList& completions)>;
  TextQuestion AskText;

  // The document the controls, LayerCells and LayoutName hold now, its texts as typed.
  DocumentState Document() const;
  // Puts a document into the controls, LayerCells and LayoutName; the layer shown stays, and the
  // grid is drawn again by the caller.
  void SetDocument(const DocumentState& document);

  // The layout the controls and LayerCells hold now. Texts are encoded in Windows-1252; when one
  // of them holds a character the code page cannot hold, an error box names the field and the
  // character and the result is empty.
  std::optional<Layout> LayoutFromControls();

  // The path of the layout file named `name` below StartDir.
  std::filesystem::path LayoutPath(const QString& name) const;

  // Shows an expected failure: `text` in an error box captioned "Fehler ...", owned by the window.
  void ShowFailure(const QString& text);

  // Open with the file given instead of asked for: reads `file` as Open reads the file of a typed
  // name, with every message and outcome of Open; `name` becomes LayoutName as the typed name would.
  // The layout it replaces comes back with one Undo.
  void OpenLayoutFile(const std::filesystem::path& file, const QString& name);

  // Undo and redo, the preview window and the grid's context menu with the layer tools.
  EditorTools& Tools() { return *tools_; }

 private:
  // Builds the controls from the window's control table (EditFormControls.cpp, where the table is).
  void CreateControls();
  // Sets up what the table does not describe: ranges, colours, glyphs, pictures.
  void ConfigureControls();
  void ShowBuiltControls();
  void WireEvents();
  void SetTabOrder();
  int AskForText(const QString& caption, const QString& prompt, QString& text, const QStringList& completions);
  // The names of the layouts there, read afresh, for the questions for a layout's name.
  QStringList LayoutNameList() const;

  TeInput* eInput = nullptr;
  // A member rather than a child, so it is destroyed before the controls it watches.
  std::unique_ptr<EditorTools> tools_;
};

}  // namespace tilvaro
