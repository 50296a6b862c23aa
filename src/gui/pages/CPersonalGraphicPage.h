#pragma once
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <array>

#include "core/watchconfig/DisplaySim.h"
#include "core/watchconfig/FactoryAnimation.h"
#include "core/watchconfig/PersonalPicture.h"
#include "gui/controls/CGridListCtrl.h"
#include "gui/mainwindow/CPage.h"
#include "gui/pages/PageContext.h"
#include "gui/pages/WatchPorts.h"

namespace kiro::gui {

// The display items of the watch, in the order of their Disp values, each with a preview button
// and an effect selector on the page.
enum class DisplayItem { Time, Day, Year, DiskSize, FreeSize, Battery, Kiro, PersonalGraphic };
inline constexpr int kDisplayItems = 8;

// What the watch shows besides its own readings: a picture drawn dot by dot in a 39 x 7 editor,
// a message of up to 36 characters, the transition effect of each display item and the display
// speed. The page plays them in the display simulation, keeps four pictures in slots, and sends
// everything to the watch on Save. Save with the right Shift and right Alt keys held opens the
// factory window instead.
class CPersonalGraphicPage final : public CPage {
    Q_OBJECT
  public:
    CPersonalGraphicPage(const PageContext& context, const WatchPorts& ports, QWidget* parent = nullptr);

    void OnDataChanged() override { ShowSettings(); }
    void OnLanguageChanged() override { ShowSettings(); }

    CGridListCtrl* Editor() const { return editor_; }
    PictureLines EditorPicture() const;
    QLineEdit* MessageBox() const { return message_; }
    QComboBox* EffectSelector(DisplayItem item) const { return effects_[static_cast<int>(item)]; }
    QPushButton* ItemButton(DisplayItem item) const { return items_[static_cast<int>(item)]; }
    QComboBox* SpeedSelector() const { return speed_; }
    QPushButton* PresetButton(PresetPicture preset) const {
        return preset == PresetPicture::GoodFeeling ? goodFeeling_ : go_;
    }
    QPushButton* SlotButton(int slot) const { return slots_[slot - 1]; }  // 1..4
    QComboBox* SlotSelector() const { return slotSelector_; }
    QPushButton* PushButton() const { return push_; }
    QPushButton* CleanButton() const { return clean_; }
    QPushButton* SimulationButton() const { return simulation_; }
    QPushButton* SaveButton() const { return save_; }
    QCheckBox* DemoBox() const { return demo_; }

    // What Save does with the right Shift and right Alt keys held: the factory window opens with
    // this page's message and picture, the watch events go to it alone, and when it closes no
    // watch is selected and the watch settings start afresh.
    void OpenFactory();

    // The simulation window opens modally; a test replaces how, to play it without a screen.
    std::function<void(const DisplayInput&)> runSimulation;
    // The factory window opens modally; a test replaces how.
    std::function<void()> runFactory;

  private:
    void BuildControls();
    void ShowSettings();
    void ShowSlotCaptions();
    void LoadPicture(const PictureLines& picture);
    void OnCellClicked(int row, int column);
    // The effect and speed selectors into the watch settings.
    void TakeControls();
    void Push();
    void Clean();
    void Save();
    void Preview(int item);  // -1: the whole sequence
    void RunSimulation(const DisplayInput& input);
    void RunFactoryWindow();

    PageContext context_;
    WatchPorts ports_;
    // The factory window's colours and slider, kept from one opening of the window to the next.
    FactoryAnimation factoryAnimation_;
    CGridListCtrl* editor_;
    QPushButton* goodFeeling_;
    QPushButton* go_;
    std::array<QPushButton*, 4> slots_{};
    QComboBox* slotSelector_;
    QPushButton* push_;
    QPushButton* clean_;
    QLabel* messageLabel_;
    QLineEdit* message_;
    QLabel* speedLabel_;
    QComboBox* speed_;
    std::array<QPushButton*, kDisplayItems> items_{};
    std::array<QComboBox*, kDisplayItems> effects_{};
    QCheckBox* demo_;
    QPushButton* simulation_;
    QPushButton* save_;
    // Set by Clean: the refresh that follows keeps the editor empty instead of showing the
    // watch's picture again.
    bool keepEditorOnce_ = false;
};

}  // namespace kiro::gui
