// The editor's commands driven through the window with real mouse and key events: editing cells on
// every layer, the spinner, the scroll-bar hints, the odd-count warning, New, Open, Save and the
// tile-set commands, with the layout files checked byte for byte.
#include <QCheckBox>
#include <QLabel>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <tuple>
#include <utility>

#include "EditorTestSupport.h"
#include "widgets/Edit97.h"
#include "button/ToolbarButton97.h"
#include "editor/InputDialog.h"
#include "widgets/ListBox.h"

namespace tilvaro::test {
namespace {

const QString kFailure = QStringLiteral("Fehler ...");
const QString kG = QStringLiteral("g");
// A layer whose only tile is in the lower right corner.
const std::vector<std::string> kCorner = {"", "", "", "", "", "", ".............x"};

QStringList Items(const TListBox* list) {
  QStringList items;
  for (int i = 0; i < list->Count(); ++i) items << list->Item(i);
  return items;
}

class EditFormCommandsTest : public EditorFixture {
 protected:
  // Save refused with an error box before any question: nothing is asked or written.
  BoxSeen RefusedSave() {
    const BoxSeen box = ClickExpectingBox(Form().Btn_Save);
    EXPECT_TRUE(box.shown);
    EXPECT_EQ(box.title, kFailure);
    EXPECT_EQ(box.icon, QMessageBox::Critical);
    EXPECT_EQ(box.owner, &Form());
    EXPECT_TRUE(Questions().empty());
    EXPECT_TRUE(std::filesystem::is_empty(Layouts()));
    return box;
  }
  // Save as "Turm" fails for `reason`: the box names the file, then why, in the editor's title.
  void ExpectFailedWrite(const char* reason) {
    AnswerOk(QStringLiteral("Turm"));
    const BoxSeen box = ClickExpectingBox(Form().Btn_Save);
    EXPECT_TRUE(box.shown);
    EXPECT_EQ(box.text, QStringLiteral("Kann nicht nach ") + QString::fromStdString((Layouts() / "Turm.set").string()) +
                            QStringLiteral(" schreiben\n") + QString::fromUtf8(reason));
    EXPECT_EQ(box.title, QStringLiteral("Tilvaro - Editor"));
    EXPECT_EQ(box.icon, QMessageBox::Critical);
  }
};

// ---- Cells, layers, hints ----------------------------------------------------------------------

TEST_F(EditFormCommandsTest, ClickingTogglesACellOnEveryLayerAndTheSpinnerShowsEachLayersOwn) {
  TEditForm& f = Form();
  for (int layer = 1; layer <= 4; ++layer) {
    SCOPED_TRACE(layer);
    if (layer > 1) StepLayer(true);
    EXPECT_EQ(f.UpDown_Layer->Position(), layer);
    EXPECT_EQ(f.Lbl_CLayer->text(), QString::number(layer));
    ClickCell(layer, layer + 1);
    EXPECT_EQ(f.Layer_Control->Cell(layer, layer + 1), kG);
    EXPECT_EQ(f.LayerCells(layer, layer + 1, layer), 1);
    ClickCell(layer, layer + 1);
    EXPECT_TRUE(f.Layer_Control->Cell(layer, layer + 1).isEmpty());
    EXPECT_EQ(f.LayerCells(layer, layer + 1, layer), 0);
    ClickCell(layer, 0);
  }
  // One tile on each layer, each in its own column.
  for (int layer = 1; layer <= 4; ++layer) EXPECT_EQ(f.LayerCells(layer, 0, layer), 1);
  EXPECT_EQ(f.LayerCells.TileCount(), 4);
  // The layer count says 1 throughout: it does not limit the layers.
  EXPECT_EQ(f.SBar_LayerCount->value(), 1);

  // At either bound the spinner runs nothing: the grid and the label stay as they are. In between
  // the grid shows the current layer's cells only.
  f.Lbl_CLayer->setText(QStringLiteral("marker"));
  StepLayer(true);
  EXPECT_EQ(f.UpDown_Layer->Position(), 4);
  EXPECT_EQ(f.Lbl_CLayer->text(), QStringLiteral("marker"));
  for (int layer = 4; layer >= 1; --layer) {
    SCOPED_TRACE(layer);
    if (layer < 4) {
      StepLayer(false);
      EXPECT_EQ(f.Lbl_CLayer->text(), QString::number(layer));
    }
    for (int col = 1; col <= 4; ++col) EXPECT_EQ(f.Layer_Control->Cell(col, 0), col == layer ? kG : QString()) << col;
  }
  f.Lbl_CLayer->setText(QStringLiteral("marker"));
  StepLayer(false);
  EXPECT_EQ(f.UpDown_Layer->Position(), 1);
  EXPECT_EQ(f.Lbl_CLayer->text(), QStringLiteral("marker"));
  EXPECT_EQ(f.Layer_Control->Cell(1, 0), kG);
}

// The odd-count warning counts the tiles of all layers, also those beyond the layer count.
TEST_F(EditFormCommandsTest, KeyboardMovesToggleEveryCellLandedOnAndTheWarningCountsAllLayers) {
  TEditForm& f = Form();
  ClickCell(0, 0);
  EXPECT_FALSE(f.Lbl_Warn->isHidden());
  StepLayer(true);
  StepLayer(true);
  f.Layer_Control->setFocus();
  for (int i = 0; i < 5; ++i) QTest::keyClick(f.Layer_Control, Qt::Key_Right);
  QTest::keyClick(f.Layer_Control, Qt::Key_Up);  // top row already: nothing
  for (int col = 1; col <= 5; ++col) EXPECT_EQ(f.LayerCells(col, 0, 3), 1) << col;
  EXPECT_EQ(f.LayerCells(0, 0, 3), 0);
  EXPECT_EQ(f.LayerCells.TileCount(), 6);
  EXPECT_TRUE(f.Lbl_Warn->isHidden()) << "six tiles on layers 1 and 3: even";
  QTest::keyClick(f.Layer_Control, Qt::Key_Left);  // back onto column 4: off again
  EXPECT_EQ(f.LayerCells(4, 0, 3), 0);
  EXPECT_FALSE(f.Lbl_Warn->isHidden());
  QTest::keyClick(f.Layer_Control, Qt::Key_Left);
  EXPECT_EQ(f.LayerCells.TileCount(), 4);
  EXPECT_TRUE(f.Lbl_Warn->isHidden());
}

// A double-click marks a cell once, and a key move marks the cell it lands on, on every layer.
TEST_F(EditFormCommandsTest, DoubleClickAndKeyboardMarkCellsOnEveryLayer) {
  TEditForm& f = Form();
  for (int layer = 1; layer <= 4; ++layer) {
    SCOPED_TRACE(layer);
    if (layer > 1) StepLayer(true);
    DoubleClickCell(9, layer);
    EXPECT_EQ(f.LayerCells(9, layer, layer), 1);
    EXPECT_EQ(f.Layer_Control->Cell(9, layer), kG);
    f.Layer_Control->setFocus();
    QTest::keyClick(f.Layer_Control, Qt::Key_Down);
    EXPECT_EQ(f.LayerCells(9, layer + 1, layer), 1);
    EXPECT_EQ(f.Layer_Control->Cell(9, layer + 1), kG);
  }
  EXPECT_EQ(f.LayerCells.TileCount(), 8);
}

TEST_F(EditFormCommandsTest, ScrollBarHintsFollowTheirPositions) {
  TEditForm& f = Form();
  const auto state = [](const QScrollBar* bar) { return std::pair(bar->value(), bar->toolTip()); };
  f.SBar_LayerCount->setValue(3);
  EXPECT_EQ(state(f.SBar_LayerCount), std::pair(3, QStringLiteral("3 Ebene(n)")));
  f.SBar_LayerCount->setValue(9);
  EXPECT_EQ(state(f.SBar_LayerCount), std::pair(4, QStringLiteral("4 Ebene(n)")));
  f.SBar_3D->setValue(6);
  EXPECT_EQ(state(f.SBar_3D), std::pair(6, QStringLiteral("Grün")));

  // By the user: the keyboard and a click on the scroll bar's left arrow.
  f.SBar_3D->setFocus();
  QTest::keyClick(f.SBar_3D, Qt::Key_Right);
  EXPECT_EQ(state(f.SBar_3D), std::pair(7, QStringLiteral("Braun")));
  QTest::keyClick(f.SBar_3D, Qt::Key_End);
  EXPECT_EQ(state(f.SBar_3D), std::pair(8, QStringLiteral("Gelb")));
  QTest::keyClick(f.SBar_3D, Qt::Key_Up);
  EXPECT_EQ(state(f.SBar_3D), std::pair(7, QStringLiteral("Braun")));
  QTest::keyClick(f.SBar_3D, Qt::Key_Home);
  EXPECT_EQ(state(f.SBar_3D), std::pair(1, QStringLiteral("Hellgrau")));
  QStyleOptionSlider option;
  option.initFrom(f.SBar_LayerCount);
  option.orientation = Qt::Horizontal;
  option.minimum = f.SBar_LayerCount->minimum();
  option.maximum = f.SBar_LayerCount->maximum();
  option.sliderPosition = option.sliderValue = f.SBar_LayerCount->value();
  option.singleStep = 1;
  option.pageStep = 1;
  const QRect subLine = f.SBar_LayerCount->style()->subControlRect(QStyle::CC_ScrollBar, &option,
                                                                    QStyle::SC_ScrollBarSubLine, f.SBar_LayerCount);
  Click(f.SBar_LayerCount, subLine.center());
  EXPECT_EQ(state(f.SBar_LayerCount), std::pair(3, QStringLiteral("3 Ebene(n)")));
}

// ---- New ---------------------------------------------------------------------------------------

TEST_F(EditFormCommandsTest, NewResetsEverything) {
  TEditForm& f = Form();
  f.LayoutName = QStringLiteral("Turm");
  f.Edit_Name->setText(QStringLiteral("Turm"));
  f.Edit_Author->setText(QStringLiteral("Ann"));
  f.Edit_Back->setText(QStringLiteral("bild.bmp"));
  f.CBX_Inscripe->setChecked(true);
  f.SBar_LayerCount->setValue(3);
  f.SBar_3D->setValue(5);
  f.LBox_Tiles->AddItem(QStringLiteral("Klassik"));
  ClickCell(4, 4);
  StepLayer(true);
  ClickCell(5, 5);
  ClickCell(6, 5);

  Click(f.Btn_New);
  EXPECT_EQ(QStringList({f.LayoutName, f.Edit_Name->text(), f.Edit_Author->text(), f.Edit_Back->text()}),
            QStringList(4, QString()));
  EXPECT_FALSE(f.CBX_Inscripe->isChecked());
  EXPECT_EQ(QStringList({f.SBar_LayerCount->toolTip(), f.SBar_3D->toolTip(), f.Lbl_CLayer->text()}),
            QStringList({"1 Ebene(n)", "Hellgrau", "1"}));
  EXPECT_EQ(std::tuple(f.SBar_LayerCount->value(), f.SBar_3D->value(), f.UpDown_Layer->Position()),
            std::tuple(1, 1, 1));
  EXPECT_EQ(std::tuple(f.LBox_Tiles->Count(), f.LayerCells.TileCount(), f.Layer_Control->Col(),
                       f.Layer_Control->Row()),
            std::tuple(0, 0, 0, 0));
  for (int col = 0; col < 14; ++col)
    for (int row = 0; row < 7; ++row) EXPECT_TRUE(f.Layer_Control->Cell(col, row).isEmpty());
  EXPECT_TRUE(f.Lbl_Warn->isHidden());
  EXPECT_TRUE(Questions().empty());
}

TEST_F(EditFormCommandsTest, NewOnAnUntouchedLayoutLeavesTheHintsAlone) {
  TEditForm& f = Form();
  f.SBar_LayerCount->setToolTip(QStringLiteral("marker"));
  Click(f.Btn_New);
  EXPECT_EQ(f.SBar_LayerCount->toolTip(), QStringLiteral("marker"));
}

// ---- Save --------------------------------------------------------------------------------------

TEST_F(EditFormCommandsTest, SaveWritesTheWholeLayout) {
  TEditForm& f = Form();
  f.Edit_Name->setText(QStringLiteral("Turm"));
  f.SBar_LayerCount->setValue(2);
  f.SBar_3D->setValue(4);
  f.CBX_Inscripe->setChecked(true);
  AnswerOk(QStringLiteral("Klassik"));
  Click(f.Btn_TileAdd);
  ClickCell(0, 0);
  ClickCell(1, 0);
  AnswerOk(QStringLiteral("Turm"));
  Click(f.Btn_Save);

  ASSERT_EQ(Questions().size(), 2u);
  EXPECT_EQ(Questions()[1].caption, QStringLiteral("Layout speichern ..."));
  EXPECT_EQ(Questions()[1].prompt,
            QStringLiteral("Bitte Dateiname ohne Endung/Pfad angeben (Diese Datei wird im Unterverzeichnis "
                           "Layout gespeichert)."));
  EXPECT_TRUE(Questions()[1].proposed.isEmpty());
  EXPECT_EQ(f.LayoutName, QStringLiteral("Turm"));
  EXPECT_EQ(ReadFile(Layouts() / "Turm.set"),
            LayoutFileText({"TILESET=Turm", "LAYERS=2", "3D=4", "ORIGINAL=1"}, {"Klassik"},
                           {{"xx............"}}));
}

TEST_F(EditFormCommandsTest, SaveWritesTextsInWindows1252AndKeepsBlanks) {
  TEditForm& f = Form();
  f.Edit_Name->setText(QStringLiteral("  Turm "));
  f.Edit_Author->setText(QStringLiteral("Jürgen Weiß €"));
  f.Edit_Back->setText(QStringLiteral("   "));  // blank: not written
  for (int layer = 1; layer <= 4; ++layer) {
    if (layer > 1) StepLayer(true);
    ClickCell(13, 6);
  }
  AnswerOk(QStringLiteral("Straße"));  // a file name in the file system's own encoding
  Click(f.Btn_Save);
  EXPECT_EQ(ReadFile(Layouts() / "Straße.set"),
            LayoutFileText({"TILESET=  Turm ", "AUTHOR=J\xFCrgen Wei\xDF \x80", "LAYERS=1", "3D=1", "ORIGINAL=0"}, {},
                           {kCorner, kCorner, kCorner, kCorner}));
}

TEST_F(EditFormCommandsTest, SaveRefusesAnOddCountWithoutAsking) {
  ClickCell(3, 3);
  EXPECT_EQ(RefusedSave().text, QStringLiteral("Ungerade Anzahl an Steinen.\n\nSpeichern nicht möglich!"));
}

// The file is named exactly as typed (even empty), and an older file of that name is replaced whole.
TEST_F(EditFormCommandsTest, SaveNamesTheFileExactlyAsTypedAndReplacesAnOlderFileWhole) {
  WriteFile(Layouts() / "Turm.set", "[INFO]\r\nAUTHOR=Alt\r\nEXTRA=1\r\n[MORE]\r\nA=B\r\n");
  for (const char* name : {"Turm.set", "", "Turm"}) {
    AnswerOk(QString::fromUtf8(name));
    Click(Form().Btn_Save);
    EXPECT_EQ(ReadFile(Layouts() / (std::string(name) + ".set")),
              LayoutFileText({"LAYERS=1", "3D=1", "ORIGINAL=0"}, {}))
        << name;
  }
}

// Texts that a layout file cannot hold: characters outside Windows-1252 and line breaks.
TEST_F(EditFormCommandsTest, SaveRefusesTextsThatWindows1252CannotHoldOrWithLineBreaks) {
  TEditForm& f = Form();
  const auto expectParts = [](const BoxSeen& box, std::initializer_list<const char*> parts) {
    for (const char* part : parts) EXPECT_TRUE(box.text.contains(QString::fromUtf8(part))) << box.text.toStdString();
  };
  f.Edit_Author->setText(QStringLiteral("Łukasz"));
  expectParts(RefusedSave(), {"„Autor“", "„Ł“", "U+0141"});
  f.Edit_Author->setText(QStringLiteral("Lukas"));
  f.LBox_Tiles->AddItem(QStringLiteral("Klassik"));
  f.LBox_Tiles->AddItem(QStringLiteral("Drache 🐉"));
  expectParts(RefusedSave(), {"Steine, Eintrag 2", "U+1F409"});
  f.LBox_Tiles->ClearItems();
  f.Edit_Back->setText(QStringLiteral("wald\nEXTRA=1"));  // as a paste can put it there
  expectParts(RefusedSave(), {"„Hintergrundbild“"});
}

TEST_F(EditFormCommandsTest, AFailedWriteReachesTheErrorBoxAndTheEditorGoesOn) {
  // A folder where the file should go: the write fails, and the folder is left as it was.
  std::filesystem::create_directory(Layouts() / "Turm.set");
  ClickCell(1, 1);
  ClickCell(2, 1);
  ExpectFailedWrite("Ist ein Ordner.");
  EXPECT_TRUE(std::filesystem::is_directory(Layouts() / "Turm.set"));
  EXPECT_EQ(Form().LayoutName, QStringLiteral("Turm"));
  EXPECT_EQ(Form().LayerCells.TileCount(), 2);
  // The editor takes input again.
  ClickCell(3, 1);
  EXPECT_EQ(Form().LayerCells.TileCount(), 3);
}

class EditFormWithoutLayoutsFolderTest : public EditFormCommandsTest {
 protected:
  bool WithLayoutsFolder() const override { return false; }
};

TEST_F(EditFormWithoutLayoutsFolderTest, SaveReportsTheMissingFolderAndCreatesNothing) {
  ExpectFailedWrite("Ordner nicht vorhanden.");
  EXPECT_FALSE(std::filesystem::exists(Layouts()));
}

// ---- Open --------------------------------------------------------------------------------------

TEST_F(EditFormCommandsTest, OpenReadsAFileIntoTheControls) {
  TEditForm& f = Form();
  const std::string file = LayoutFileText(
      {"TILESET=Turm", "AUTHOR=J\xFCrgen \x80", "BACKGROUND=wald.bmp", "LAYERS=3", "3D=6", "ORIGINAL=0"},
      {"Klassik", "", "Modern"},
      {{"x.X..........."}, kCorner, {}, {"xx"}});
  WriteFile(Layouts() / "Turm.set", file);
  StepLayer(true);  // Open shows layer 1 again
  ClickCell(5, 5);
  AnswerOk(QStringLiteral("Turm"));
  Click(f.Btn_Open);

  ASSERT_EQ(Questions().size(), 1u);
  EXPECT_EQ(Questions()[0].caption, QStringLiteral("Layout öffnen ..."));
  EXPECT_EQ(Questions()[0].prompt,
            QStringLiteral("Bitte Dateiname ohne Endung/Pfad angeben (Entsprechende Dateien sind im "
                           "Unterverzeichnis Layout zu finden)."));
  EXPECT_EQ(QStringList({f.LayoutName, f.Edit_Name->text(), f.Edit_Author->text(), f.Edit_Back->text()}),
            QStringList({"Turm", "Turm", "Jürgen €", "wald.bmp"}));
  EXPECT_EQ(std::tuple(f.SBar_LayerCount->value(), f.SBar_3D->value(), f.UpDown_Layer->Position()),
            std::tuple(3, 6, 1));
  EXPECT_EQ(QStringList({f.SBar_LayerCount->toolTip(), f.SBar_3D->toolTip(), f.Lbl_CLayer->text()}),
            QStringList({"3 Ebene(n)", "Grün", "1"}));
  EXPECT_FALSE(f.CBX_Inscripe->isChecked());
  EXPECT_EQ(Items(f.LBox_Tiles), QStringList({"Klassik", "", "Modern"}));
  EXPECT_EQ(QStringList({f.Layer_Control->Cell(0, 0), f.Layer_Control->Cell(1, 0), f.Layer_Control->Cell(2, 0)}),
            QStringList({kG, "", kG}));
  EXPECT_EQ(f.LayerCells(13, 6, 2), 1);
  EXPECT_EQ(f.LayerCells(5, 5, 2), 0) << "the earlier layout is gone";
  EXPECT_EQ(f.LayerCells.TileCount(), 5);
  EXPECT_FALSE(f.Lbl_Warn->isHidden());

  // Opened and saved again under its name, the file comes out as it went in (an even copy).
  ClickCell(13, 0);
  AnswerOk(QStringLiteral("Turm"));
  Click(f.Btn_Save);
  EXPECT_EQ(Questions().back().proposed, QStringLiteral("Turm"));
  EXPECT_EQ(ReadFile(Layouts() / "Turm.set"),
            LayoutFileText({"TILESET=Turm", "AUTHOR=J\xFCrgen \x80", "BACKGROUND=wald.bmp", "LAYERS=3", "3D=6",
                            "ORIGINAL=0"},
                           {"Klassik", "", "Modern"},
                           {{"x.x..........x"}, kCorner, {}, {"xx............"}}));
}

// A missing name, a name that cannot name a file and a folder are all layouts not found: the
// layout is cleared and the name kept for the next Save.
TEST_F(EditFormCommandsTest, OpenOfAMissingNameClearsTheLayoutAndKeepsTheName) {
  TEditForm& f = Form();
  WriteFile(Layouts() / "Datei", "keine Ordner");
  std::filesystem::create_directory(Layouts() / "Ordner.set");
  for (const QString& name : {QStringLiteral("Fehlt"), QString(300, QLatin1Char('n')), QStringLiteral("Datei/Turm"),
                              QStringLiteral("Ordner")}) {
    SCOPED_TRACE(name.left(20).toStdString());
    f.Edit_Name->setText(QStringLiteral("Alt"));
    ClickCell(2, 2);
    AnswerOk(name);
    const BoxSeen box = ClickExpectingBox(f.Btn_Open);
    EXPECT_TRUE(box.shown);
    EXPECT_EQ(box.text, QStringLiteral("Layout nicht gefunden"));
    EXPECT_EQ(box.title, kFailure);
    EXPECT_EQ(box.icon, QMessageBox::Critical);
    EXPECT_EQ(box.owner, &f);
    EXPECT_TRUE(f.Edit_Name->text().isEmpty());
    EXPECT_EQ(f.LayerCells.TileCount(), 0);
    EXPECT_TRUE(f.Layer_Control->Cell(2, 2).isEmpty());
    EXPECT_EQ(f.LayoutName, name);
    AnswerCancel();
    Click(f.Btn_Save);
    EXPECT_EQ(Questions().back().proposed, name);
  }
}

TEST_F(EditFormCommandsTest, CancelledSaveOrOpenChangesNothing) {
  TEditForm& f = Form();
  f.LayoutName = QStringLiteral("Alt");
  f.Edit_Author->setText(QStringLiteral("Ann"));
  ClickCell(2, 2);
  StepLayer(true);
  ClickCell(3, 3);
  StepLayer(false);
  for (QWidget* button : {static_cast<QWidget*>(f.Btn_Save), static_cast<QWidget*>(f.Btn_Open)}) {
    SCOPED_TRACE(button->objectName().toStdString());
    const std::size_t asked = Questions().size();
    AnswerCancel();
    Click(button);
    ASSERT_EQ(Questions().size(), asked + 1);
    EXPECT_EQ(Questions().back().proposed, QStringLiteral("Alt"));
    EXPECT_EQ(f.LayoutName, QStringLiteral("Alt"));
    EXPECT_EQ(f.Edit_Author->text(), QStringLiteral("Ann"));
    EXPECT_EQ(f.LayerCells.TileCount(), 2);
    EXPECT_EQ(f.Layer_Control->Cell(2, 2), kG);
    EXPECT_TRUE(std::filesystem::is_empty(Layouts()));
  }
}

TEST_F(EditFormCommandsTest, OpenOfAnUnreadableFileReportsItAndKeepsTheCurrentLayout) {
  TEditForm& f = Form();
  // Larger than any layout file may be: it exists, but the reader refuses it (also as root).
  const auto path = Layouts() / "Riesig.set";
  WriteFile(path, "[INFO]\r\n");
  std::filesystem::resize_file(path, (std::uintmax_t{1} << 30) + 1);
  f.LayoutName = QStringLiteral("Alt");
  f.Edit_Author->setText(QStringLiteral("Ann"));
  ClickCell(2, 2);
  AnswerOk(QStringLiteral("Riesig"));
  const BoxSeen box = ClickExpectingBox(f.Btn_Open);
  ASSERT_TRUE(box.shown);
  EXPECT_EQ(box.title, kFailure);
  EXPECT_EQ(box.icon, QMessageBox::Critical);
  EXPECT_TRUE(box.text.contains(QString::fromStdString(path.string()))) << box.text.toStdString();
  EXPECT_EQ(f.LayoutName, QStringLiteral("Alt")) << "a later Save must not propose the unreadable file";
  EXPECT_EQ(f.Edit_Author->text(), QStringLiteral("Ann"));
  EXPECT_EQ(f.LayerCells.TileCount(), 1);
  EXPECT_EQ(std::filesystem::file_size(path), (std::uintmax_t{1} << 30) + 1);
}

// ---- Tile sets ---------------------------------------------------------------------------------

TEST_F(EditFormCommandsTest, TileSetsAreAddedDeletedAndRenamed) {
  TEditForm& f = Form();
  AnswerOk(QStringLiteral("Klassik"));
  Click(f.Btn_TileAdd);
  AnswerOk(QString());  // empty names and repeats are accepted
  Click(f.Btn_TileAdd);
  AnswerOk(QStringLiteral("Klassik"));
  Click(f.Btn_TileAdd);
  AnswerCancel();
  Click(f.Btn_TileAdd);
  ASSERT_EQ(Items(f.LBox_Tiles), QStringList({"Klassik", "", "Klassik"}));
  EXPECT_EQ(Questions()[0].caption, QStringLiteral("Stein hinzufügen ..."));
  EXPECT_EQ(Questions()[0].prompt,
            QStringLiteral("Bitte Dateiname ohne Endung/Pfad angeben (Entsprechende Dateien sind im "
                           "Unterverzeichnis Tiles zu finden)."));
  EXPECT_TRUE(Questions()[0].proposed.isEmpty());

  // Nothing selected: deleting and renaming do nothing, and renaming asks nothing.
  Click(f.Btn_TileDel);
  Click(f.Btn_TileName);
  EXPECT_EQ(f.LBox_Tiles->Count(), 3);
  EXPECT_EQ(Questions().size(), 4u);

  // Select the third entry with the mouse and rename it.
  Click(f.LBox_Tiles->viewport(), f.LBox_Tiles->visualItemRect(f.LBox_Tiles->item(2)).center());
  EXPECT_EQ(f.LBox_Tiles->ItemIndex(), 2);
  AnswerOk(QStringLiteral("Modern"));
  Click(f.Btn_TileName);
  EXPECT_EQ(Questions().back().caption, QStringLiteral("Stein umbenennen ..."));
  EXPECT_EQ(Questions().back().prompt, Questions()[0].prompt);
  EXPECT_EQ(Questions().back().proposed, QStringLiteral("Klassik"));
  EXPECT_EQ(f.LBox_Tiles->Item(2), QStringLiteral("Modern"));
  EXPECT_EQ(f.LBox_Tiles->ItemIndex(), 2);
  AnswerCancel();
  Click(f.Btn_TileName);
  EXPECT_EQ(f.LBox_Tiles->Item(2), QStringLiteral("Modern"));

  // Delete the first entry; afterwards nothing is selected.
  Click(f.LBox_Tiles->viewport(), f.LBox_Tiles->visualItemRect(f.LBox_Tiles->item(0)).center());
  Click(f.Btn_TileDel);
  EXPECT_EQ(Items(f.LBox_Tiles), QStringList({"", "Modern"}));
  EXPECT_EQ(f.LBox_Tiles->ItemIndex(), -1);
  Click(f.Btn_TileDel);
  EXPECT_EQ(f.LBox_Tiles->Count(), 2);

  AnswerOk(QStringLiteral("Liste"));
  Click(f.Btn_Save);
  EXPECT_EQ(ReadFile(Layouts() / "Liste.set"), LayoutFileText({"LAYERS=1", "3D=1", "ORIGINAL=0"}, {"", "Modern"}));
}

// ---- The real name dialog ----------------------------------------------------------------------

TEST_F(EditFormCommandsTest, TheRealDialogAsksForTheName) {
  // A window of its own, with the name dialog it shows by default.
  TEditForm own;
  own.SetInputDialog(new TeInput(&own));
  own.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&own));
  QString caption;
  QString proposed;
  ModalDriver driver([&](QWidget* modal) {
    auto* dialog = qobject_cast<TeInput*>(modal);
    ASSERT_NE(dialog, nullptr);
    caption = dialog->windowTitle();
    proposed = dialog->Edit_Txt->text();
    dialog->Edit_Txt->selectAll();
    QTest::keyClicks(dialog->Edit_Txt, QStringLiteral("Echt"));
    QTest::mouseClick(dialog->Btn_OK, Qt::LeftButton, Qt::NoModifier, dialog->Btn_OK->rect().center());
  });
  own.LayoutName = QStringLiteral("Vorschlag");
  Click(own.Btn_Save);
  EXPECT_TRUE(driver.Ran());
  EXPECT_EQ(caption, QStringLiteral("Layout speichern ..."));
  EXPECT_EQ(proposed, QStringLiteral("Vorschlag"));
  EXPECT_EQ(own.LayoutName, QStringLiteral("Echt"));
  EXPECT_TRUE(std::filesystem::is_regular_file(Layouts() / "Echt.set"));
}

// The sample layouts shipped in examples/ open in the editor and save back to the same bytes.
TEST_F(EditFormCommandsTest, SampleLayoutsOpenAndSaveBackUnchanged) {
  const std::filesystem::path samples =
      std::filesystem::path(TILVARO_SOURCE_DIR) / "examples" / "layouts";
  int opened = 0;
  for (const auto& entry : std::filesystem::directory_iterator(samples)) {
    if (entry.path().extension() != ".set") continue;
    SCOPED_TRACE(entry.path().filename().string());
    const std::string original = ReadFile(entry.path());
    std::filesystem::copy_file(entry.path(), Layouts() / entry.path().filename());
    const QString name = QString::fromStdString(entry.path().stem().string());
    AnswerOk(name);
    Click(Form().Btn_Open);
    EXPECT_GT(Form().LayerCells.TileCount(), 0);
    EXPECT_TRUE(Form().Lbl_Warn->isHidden()) << "samples hold an even number of tiles";
    AnswerOk(name + QStringLiteral("-Kopie"));
    Click(Form().Btn_Save);
    EXPECT_EQ(ReadFile(Layouts() / (name + QStringLiteral("-Kopie.set")).toStdString()), original);
    ++opened;
  }
  EXPECT_GE(opened, 3);
}

}  // namespace
}  // namespace tilvaro::test
