// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The animal of the play room: a few picture objects, each driven by a small event script
// per scene, loaded from an ".anm" file. The play room starts a scene, steps the animal
// once a tick, and lets it draw what changed into the work image; the animal draws the
// letter card the play room hands it through a callback.
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "foundation/geometry.h"
#include "foundation/stream.h"
#include "foundation/uvo_exception.h"
#include "graphics/image_data.h"
#include "graphics/image_library.h"

namespace qr {

inline constexpr uint32_t kAnimalMagic = 0x2376491A;
inline constexpr uint16_t kAnimalNewestVersion = 12;
inline constexpr int kAnimalSceneCount = 7;
// A scene that has not ended by itself stops here, so a damaged file (a loop that never
// ends, a hold that is never let go) cannot freeze the level: the longest a card is held
// before its release (900 ticks, the slowest speed value) and five times the longest
// shipped scene's own ticks (under 120) on top. About 1 minute 22 seconds of play.
inline constexpr int32_t kAnimalTickLimit = 1500;

// Everything that stops an animal file from loading.
class AnimalException : public UvoException {
  public:
    using UvoException::UvoException;
};

// What an event does when it runs.
enum TSceneEventKind : uint8_t {
    sekWait = 0,
    sekMove = 1,
    sekFrame = 2,
    sekShow = 3,
    sekHide = 4,
    sekMotion = 5,
    sekLoop = 6,
    sekEnd = 7,
    sekHold = 8,   // holds the release back ...
    sekUnhold = 9, // ... until the matching unhold
};

// One scripted step of an object.
struct TSceneEvent {
    uint8_t Kind = sekWait;
    int16_t Time = 0;
    int16_t Duration = 0;
    int16_t X = 0;
    int16_t Y = 0;
    int16_t DX = 0;
    int16_t DY = 0;
    int16_t Interval = 0;
    int16_t OverlayX = 0;
    int16_t OverlayY = 0;
    int16_t Frame = 0;
    int16_t FrameStep = 0;
    int16_t Target = 0;
    bool WaitRelease = false;
    bool UseOverlay = false;
    uint16_t LoopCount = 0;
    uint16_t Counter = 0; // run time only
    std::string OverlayName;
};

using TSceneEventList = std::vector<TSceneEvent>;

// One picture object of an animal with its seven scene scripts and its run-time state.
class TAnimObject {
  public:
    std::string Name;
    std::array<TSceneEventList, kAnimalSceneCount> Scenes;

    int16_t X = 0;
    int16_t Y = 0;
    int16_t Frame = 0;
    int16_t Width = 0;
    int16_t Height = 0;
    int16_t FrameCount = 0;
    // Files before version 6 do not store the width: the picture's own width is used.
    bool WidthStored = true;
    bool Visible = false;
    bool Background = false;
    bool IsLetter = false;

    // A reference to the picture and one to its surface (released first).
    TImageRef Picture;
    TImageDataRef PictureData;
    TImageRef Overlay;
    TImageDataRef OverlayData;
    std::string OverlayName;

    // The events point into Scenes, which never change after loading.
    TSceneEvent* Current = nullptr;
    int32_t CurrentIndex = 0;
    TSceneEvent* Last = nullptr;
    TSceneEvent* Motion = nullptr;
    int32_t Base = 0;
    int32_t NextTick = -1;
    // The scene whose script Current runs: a background object goes on with the script it
    // started with while other scenes play.
    uint8_t ScriptScene = 0;

    // The object's rectangle relative to the animal's area.
    TRect Bounds() const { return TRect::FromOriginSize({X, Y}, Width, Height); }
    bool HasEvents(int scene) const { return !Scenes[scene].empty(); }
};

// The two flags at the end of a version-12 file that the world's animal chooser reads.
struct TAnimalSelectionFlags {
    uint8_t RestrictSlowCpu = 0;
    uint8_t RestrictFastSpeed = 0;
};

// Whether the chooser may pick an animal with these flags: on a machine whose processor
// type divided by 100 is below 5, one that needs a fast machine is left out, and so is one
// that needs it only at speed setting 3 when that is the setting.
bool AnimalSuitsMachine(const TAnimalSelectionFlags& flags, int processorType, int speedSetting);

class TAnimal {
  public:
    // Returns the current letter card (or null when there is none yet).
    using TCardCallback = std::function<TPX8ImageData*()>;

    TAnimal() = default;
    ~TAnimal();
    TAnimal(const TAnimal&) = delete;
    TAnimal& operator=(const TAnimal&) = delete;

    // Loads the file, opens its picture library from libraryFolder and keeps the area,
    // the work image and the card callback. Throws AnimalException or the library's
    // PX8Exception.
    void Create(const std::string& fileName, const std::string& libraryFolder,
                TCardCallback cardCallback, TRect area, TPX8ImageData* workImage);

    // The file's records only; pictures are attached afterwards with SetLibrary.
    void LoadFromStream(TStream& stream);
    // Takes the animal's picture library and loads the backdrop and object pictures from
    // it (a picture that is missing leaves its object undrawn).
    void SetLibrary(std::unique_ptr<TPX8Library> library);
    void SetCardCallback(TCardCallback cardCallback) { cardCallback_ = std::move(cardCallback); }
    void SetArea(TRect area) { Area = area; }
    void SetWorkImage(TPX8ImageData* workImage) { WorkImage = workImage; }

    // Writes the animal as a version-12 file (the unused fields as 0).
    void SaveToStream(TStream& stream) const;

    // Reads only what the chooser needs: checks the magic and version (same messages as
    // loading) and returns the flags (both 0 before version 12).
    static TAnimalSelectionFlags ReadSelectionFlags(const std::string& fileName);
    static TAnimalSelectionFlags ReadSelectionFlags(TStream& stream);

    // True when some non-background object has events in scene n.
    bool StartScene(uint8_t n);
    // One tick; false when the scene has ended.
    bool Step();
    bool SceneIsEmpty(uint8_t n) const;
    void InvalidateAll();
    // What changed since the last Draw, in work-image coordinates.
    TRect GetDamage() const;
    // Redraws the damaged part of the area that lies in the work image's clip rectangle.
    void Draw();

    // Set by the play room to let the animal pass its wait points. The animal counts as
    // released while this is set and no hold (event kind 8) is open.
    bool Released = false;
    bool IsReleased() const { return Released && HoldCounter == 0; }
    int32_t HoldCounter = 0;

    uint16_t Version = kAnimalNewestVersion;
    std::string PictureName;
    std::string LibraryName;
    std::vector<std::unique_ptr<TAnimObject>> Objects;
    TRect Area;
    TRect Damage; // relative to Area's top left
    TPX8ImageData* WorkImage = nullptr;
    int32_t Tick = 0;
    uint8_t SceneNo = 0;
    uint8_t RestrictSlowCpu = 0;
    uint8_t RestrictFastSpeed = 0;

    TPX8Library* Library() const { return library_.get(); }

  private:
    // Runs one object at the current tick; true when it ended the scene.
    bool StepObject(TAnimObject& object);
    void DrawObject(TAnimObject& object);
    void AddDamage(const TRect& rect);

    std::unique_ptr<TPX8Library> library_;
    TImageRef picture_;
    TImageDataRef pictureData_;
    TCardCallback cardCallback_;
    // The frame an overlay is drawn onto, kept between ticks.
    std::unique_ptr<TPX8Image> scratch_;
    std::unique_ptr<TPX8ImageData> scratchData_;
};

} // namespace qr
