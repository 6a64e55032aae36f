#pragma once

#include "document/labeldocument.h"
#include "document/placementcommands.h"
#include "document/snapgrid.h"
#include "editor/editorcursors.h"
#include "editor/editorfont.h"
#include "editor/selection.h"
#include "editor/toolbar.h"
#include "merge/mergerecord.h"

#include <QImage>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>

class EditorMenus;
class EditorPaintBox;
class MergeTable;
class Prompts;
class QAction;
class QLineEdit;
class QMimeData;
class QPainter;
class QScrollArea;
class RulerWidget;
class SpeedBar;
class TBMPOpenForm;
class TCodeForm;
class TEffektForm;
class TPositionForm;
class TLineFillForm;
class TTransForm;
class TTxtForm;
class Tbkgndform;

// The page "Editor": the work area of the open document at an adjustable
// magnification in a scrolling pane, with millimetre rulers, the tools, the
// selection with its handles, dragging, and the creation of objects.
//
// The page renders the visible part of the work area into EditBitmap (the size
// of the pane, whatever the magnification) and shows it in PaintBox1.
class EditorPage : public QWidget {
    Q_OBJECT
public:
    using NumberSource = std::function<int()>;
    EditorPage(LabelDocument& doc, Prompts& prompts, NumberSource labelNumber,
               QWidget* parent = nullptr);
    ~EditorPage() override;

    SpeedBar* SpeedBar2 = nullptr;
    EditorToolbar* Toolbar = nullptr;
    QWidget* GolbalPanel = nullptr;
    RulerWidget* TRuler = nullptr;
    RulerWidget* LRuler = nullptr;
    QScrollArea* ScrollBox1 = nullptr;
    EditorPaintBox* PaintBox1 = nullptr;
    QLineEdit* KeyEdit = nullptr;
    TBMPOpenForm* BMPOpenForm = nullptr; // made once, reused
    EditorMenus* Menus = nullptr;        // PopupMenu1 and PBoxPopup
    TEffektForm* EffektForm = nullptr;
    TTransForm* TransForm = nullptr;
    TTxtForm* TxtForm = nullptr;
    TCodeForm* CodeForm = nullptr;         // made on first use
    TPositionForm* PositionForm = nullptr; // made on first use
    Tbkgndform* bkgndform = nullptr;

    QImage EditBitmap;
    bool ZoomBusy = false;
    int32_t MouseState = 0; // 0 idle, 1 dragging, 2 hand scrolling
    int32_t HandStartX = 0;
    int32_t HandStartY = 0;
    DragState Drag;
    bool SkipNextPress = false;
    EditorFont FontDialog1; // the editor's current font
    int CurrentCursor = 10;

    // Renders the visible pane and shows it with the selection marks and rulers.
    void PaintBox1Paint();
    // The data row whose pictures the editor shows for picture names with fields (its
    // texts keep their fields): row of table, none for a null table or a row < 0.
    void setSampleRow(std::shared_ptr<const MergeTable> table, int row);
    const MergeRecord* sampleRecord() const { return sample_ ? &*sample_ : nullptr; }
    QImage TRulerPaint() const;
    QImage LRulerPaint() const;

    // Sizes the paint box from the work area and paints.
    void applyWorkArea();
    // Scrolls so that the label's top-left corner is in the pane's top-left corner.
    void scrollToLabel();
    // After a document reset: no drag, no hand scroll.
    void resetDragState();

    int scrollX() const;
    int scrollY() const;
    void setScroll(long long x, long long y);

    // Mouse dispatch of PaintBox1 (paint-box pixels).
    void PaintBox1MouseDown(Qt::MouseButton button, int X, int Y);
    void PaintBox1MouseMove(int X, int Y);
    void PaintBox1MouseUp(Qt::MouseButton button, int X, int Y);
    void PaintBox1DblClick(int X, int Y);

    // Magnifier and hand.
    void zoomIn(int X, int Y);
    void zoomOut(int X, int Y);
    void handStart(int X, int Y);
    void Drag2Hand(int X, int Y);

    // Selection and dragging with the pointer tool.
    void setdragmod(int X, int Y);
    void setCursorNumber(int number);
    void dragStart();
    void dragMove(int X, int Y);
    void dragEnd(int X, int Y);
    void selectAt(int X, int Y);
    void contextAt(int X, int Y);

    // Creates an object of the current tool in the first free slot at (X, Y).
    void createObjectAt(int X, int Y);

    // The object menu for the selected object at paint-box point (X, Y).
    void PopItUp(int X, int Y);
    // Commands of the object menu on the selected object.
    void Lschen1Click();
    void Nachvorne1Click();
    void NachHinen1Click();
    void FarbBtnClick();
    void FontBtnClick();
    void Texteffekte1Click();
    void Transparenz1Click();
    // "Code...": the code dialog for the selected code (codecommands.cpp).
    void CodeClick();
    void SverhMClick();
    void alignClick(int align);
    void turnClick(bool left);
    void shapeClick(int shape);
    // Del, Up and Down while the keyboard focus holder has the focus (Qt key codes).
    void FormKeyDown(int key);
    // The other keys of the editor (editorkeys.cpp): Ctrl+arrows move the selected
    // object by half millimetres, the menu key and Shift+F10 open the menu of the
    // selected object or of the work area, Enter and F2 the text dialog of a selected
    // text, Escape clears the selection.
    void nudgeSelected(int halfMmRight, int halfMmDown);
    void keyboardContextMenu();
    void editSelectedText();
    void clearSelection();
    // "Position und Größe..." and "Auf dem Etikett ausrichten" (placementclicks.cpp).
    void PositionClick();
    void alignOnLabel(LabelAlign align);
    // The background dialog; also the command of the window's menu entry.
    void Hintergrundbild1Click();
    void attachBackgroundAction(QAction* action);

    // The edit menu's object commands. Copy puts the selected object on the clipboard
    // in the program's own form, as text (a text object) and as a picture; paste and
    // duplicate put the new object on top.
    QMimeData* selectionMimeData() const;
    bool copySelection();
    void cutSelection();
    void duplicateSelection();
    void pasteFromClipboard();
    void pasteMime(const QMimeData& data);
    // Picture files dropped at paint-box point at: picture objects side by side, one step.
    bool dropPictureFiles(const QStringList& files, QPoint at);
    static bool acceptsDroppedFile(const QString& file);
    // Where pasted objects from other programs get their top-left corner: the centre
    // of the label's visible part (paint-box pixels).
    QPoint visibleLabelCentre() const;

    // The grid of the menu "Raster": drawn as dots on the label in the editor only;
    // moved and resized edges and new objects' corners snap to it unless Shift is
    // held. The menu's four entries (aus, 1 mm, 2,5 mm, 5 mm) are checked by the
    // grid in use; the choice is kept in the settings.
    void attachGridActions(const QList<QAction*>& entries);
    void setGridStep(int tenthsMm);
    int gridStep() const { return gridStep_; }
    // The grid that snaps now: none while Shift is held.
    SnapGrid snapGrid() const;
    // The keyboard modifiers of the mouse event being handled.
    void setHeldModifiers(Qt::KeyboardModifiers held) { held_ = held; }
    // "Linie und Füllung...": fill mode, outline colour and line width of the
    // selected figure, one step on OK.
    void LineFillClick();
    TLineFillForm* lineFillForm();

    EditorTool tool() const { return Toolbar->current(); }
    LabelDocument& document() { return doc_; }
    const EditorCursors& cursors() const { return cursors_; }

signals:
    // Right press on the selected object or another object (now selected).
    void objectMenuRequested(QPoint paintBoxPos);
    // Right press on the empty work area (selection cleared).
    void workAreaMenuRequested(QPoint paintBoxPos);
    // Double click on the paint box, before the press that it delivers.
    void paintBoxDoubleClicked(QPoint paintBoxPos);
    // A label file was dropped on the editor.
    void labelFileDropped(const QString& fileName);
    // A line for the status bar.
    void statusMessage(const QString& text);
    // The work area is drawn anew, after a command or a change of the document: other
    // views of the label follow.
    void labelRepainted();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    friend class EditorPaintBox;
    void buildLayout();
    void buildCommands();
    void installKeys();
    // After every change shown: the accessible name follows the selection, and
    // another selection ends the nudging.
    void selectionShown();
    // The part of the paint box the pane shows, in paint-box pixels.
    QRect visiblePane() const;
    void drawFocusFrame(QPainter& painter);
    // Repaints where the focus frame was and where it goes after a scroll or resize.
    void followFocusFrame();
    // Renders EditBitmap for the current scroll position and pane size.
    void renderEditBitmap();
    // Called by the paint box: shows the bitmap, rendering it first when stale.
    void showEditBitmap(QPainter& painter, const QRect& area);
    void zoomAt(int X, int Y, double unitsPerPixel);
    bool createPicture(Tobs& obj);
    // The picture that the sample row names for a picture name with fields, else the
    // blank: a new picture object of that name takes its size (samplerow.cpp).
    TDibRecord fieldPictureSample(const QString& name) const;
    void pasteOwnObject(const QByteArray& bytes);
    // A copy keeps its size and place (cascaded); keepInLabel moves it inside the
    // label where it would stick out.
    bool placeOnTop(Tobs obj, const QString& step, bool keepInLabel = false);
    void tooManyObjects();
    // Puts why the selected code cannot be drawn into the status line (codecommands.cpp).
    void reportCodeProblem();
    QString codeProblemShown_;
    // Placing: grid dots, and the commands that live in their own files.
    void buildPlacingCommands();
    void drawGridDots(QPainter& canvas, int h, int v) const;
    // The grid of a drag step: none while the mouse is where it was pressed, so a
    // click on the selection leaves it where it is.
    SnapGrid dragGrid(int X, int Y) const;
    QPoint dragPressAt_;
    int gridStep_ = 0;
    QList<QAction*> gridEntries_;
    Qt::KeyboardModifiers held_;
    TLineFillForm* lineFillForm_ = nullptr;

    LabelDocument& doc_;
    Prompts& prompts_;
    NumberSource labelNumber_;
    Tobs dragBefore_; // the dragged object as the drag found it
    int dragSlot_ = 0;
    bool dragResizes_ = false;
    EditorCursors cursors_;
    QPoint renderedScroll_{-1, -1}; // scroll position EditBitmap was rendered for
    NudgeSession nudges_;
    int shownSelection_ = -1;
    QRect framedPane_;                              // where the focus frame was last drawn
    std::shared_ptr<const MergeTable> sampleTable_; // keeps the sample's columns
    int sampleRow_ = -1;
    std::optional<MergeRecord> sample_;
};
