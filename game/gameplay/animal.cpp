// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/gameplay/animal.h"

#include <algorithm>
#include <cctype>

namespace qr {

namespace {

const char* const kCorrupt = "Corrupt animation file";
const char* const kUnknownVersion = "Animation is in unknown new format";

// A file whose loops jump back and forth between events at one tick would keep an object
// busy for ever inside a single step; past this many events in one tick the object stops.
constexpr int kMaxEventsPerTick = 4096;

bool IsLetterName(const std::string& name) {
    if (name.size() != 6) return false;
    std::string upper = name;
    for (char& c : upper)
        c = char(std::toupper(static_cast<unsigned char>(c)));
    return upper == "LETTER";
}

void CheckHeader(TStream& stream, uint16_t& version) {
    if (stream.ReadU32() != kAnimalMagic) throw AnimalException(kCorrupt);
    version = stream.ReadU16();
    if (version > kAnimalNewestVersion) throw AnimalException(kUnknownVersion);
}

TSceneEvent ReadEvent(TStream& s, uint16_t version) {
    TSceneEvent e;
    if (version < 5) s.ReadShortString(); // the event's name, which nothing uses
    e.Kind = s.ReadU8();
    e.Time = s.ReadI16();
    e.Duration = s.ReadI16();
    e.X = s.ReadI16();
    e.Y = s.ReadI16();
    e.DX = s.ReadI16();
    e.DY = s.ReadI16();
    e.Interval = s.ReadI16();
    e.OverlayX = s.ReadI16();
    e.OverlayY = s.ReadI16();
    e.Frame = s.ReadI16();
    s.ReadU16(); // unused
    e.FrameStep = s.ReadI16();
    e.Target = s.ReadI16();
    s.ReadU8(); // unused
    e.UseOverlay = s.ReadU8() != 0;
    if (version >= 2) {
        const uint8_t wait = s.ReadU8();
        // Version 2 stored the byte before it meant anything.
        e.WaitRelease = version > 2 && wait != 0;
    }
    if (version >= 4) e.LoopCount = s.ReadU16();
    e.OverlayName = s.ReadShortString();
    return e;
}

void WriteEvent(TStream& s, const TSceneEvent& e) {
    s.WriteU8(e.Kind);
    for (int16_t v :
         {e.Time, e.Duration, e.X, e.Y, e.DX, e.DY, e.Interval, e.OverlayX, e.OverlayY, e.Frame})
        s.WriteI16(v);
    s.WriteU16(0);
    s.WriteI16(e.FrameStep);
    s.WriteI16(e.Target);
    s.WriteU8(0);
    s.WriteU8(e.UseOverlay ? 1 : 0);
    s.WriteU8(e.WaitRelease ? 1 : 0);
    s.WriteU16(e.LoopCount);
    s.WriteShortString(e.OverlayName);
}

// The scene a stored block belongs to before the version-10 shuffle.
int SceneOfBlock(int block, uint16_t version) {
    if (version <= 6) {
        if (block == 2) return 6;
        if (block >= 3) return block - 1;
    }
    return block;
}

std::unique_ptr<TAnimObject> ReadObject(TStream& s, uint16_t version) {
    auto o = std::make_unique<TAnimObject>();
    o->Name = s.ReadShortString();
    for (int block = 0; block < kAnimalSceneCount; ++block) {
        if (block == 5 && version < 9) continue;
        const uint16_t count = s.ReadU16();
        TSceneEventList& events = o->Scenes[SceneOfBlock(block, version)];
        // No reserve: a count that lies must not allocate more than the file can fill.
        for (uint16_t i = 0; i < count; ++i)
            events.push_back(ReadEvent(s, version));
    }
    if (version == 10) {
        // Version 10 stored the take-back, leave and cheer scripts in another order.
        TSceneEventList b3 = std::move(o->Scenes[3]);
        o->Scenes[3] = std::move(o->Scenes[4]);
        o->Scenes[4] = std::move(o->Scenes[5]);
        o->Scenes[5] = std::move(b3);
    }
    if (version == 0) s.ReadBytes(8);
    o->WidthStored = version >= 6;
    if (o->WidthStored) o->Width = s.ReadI16();
    o->Height = s.ReadI16();
    o->FrameCount = s.ReadI16();
    if (version == 0) s.ReadU8();
    if (version >= 8) s.ReadU8(); // unused
    if (version >= 10) o->Background = s.ReadU8() != 0;
    o->IsLetter = IsLetterName(o->Name);
    return o;
}

} // namespace

TAnimal::~TAnimal() {
    // Every picture reference must go back to the library before the library goes.
    Objects.clear();
    pictureData_.Reset();
    picture_.Reset();
    scratchData_.reset();
    scratch_.reset();
    library_.reset();
}

void TAnimal::Create(const std::string& fileName, const std::string& libraryFolder,
                     TCardCallback cardCallback, TRect area, TPX8ImageData* workImage) {
    TMemoryStream stream(ReadFileBytes(fileName));
    LoadFromStream(stream);
    auto library = std::make_unique<TPX8Library>();
    library->Open(libraryFolder + LibraryName);
    SetLibrary(std::move(library));
    cardCallback_ = std::move(cardCallback);
    Area = area;
    WorkImage = workImage;
}

void TAnimal::LoadFromStream(TStream& stream) {
    Objects.clear();
    try {
        CheckHeader(stream, Version);
        PictureName = stream.ReadShortString();
        LibraryName = stream.ReadShortString();
        const uint16_t count = stream.ReadU16();
        for (uint16_t i = 0; i < count; ++i)
            Objects.push_back(ReadObject(stream, Version));
        RestrictSlowCpu = RestrictFastSpeed = 0;
        if (Version >= 12) {
            RestrictSlowCpu = stream.ReadU8();
            RestrictFastSpeed = stream.ReadU8();
        }
    } catch (const StreamReadError&) {
        Objects.clear();
        throw AnimalException(kCorrupt);
    }
}

void TAnimal::SetLibrary(std::unique_ptr<TPX8Library> library) {
    for (auto& o : Objects) {
        o->PictureData.Reset();
        o->Picture.Reset();
        o->OverlayData.Reset();
        o->Overlay.Reset();
        o->OverlayName.clear();
    }
    pictureData_.Reset();
    picture_.Reset();
    library_ = std::move(library);
    if (!library_) return;
    auto load = [this](const std::string& name, TImageRef& ref, TImageDataRef& data) {
        if (name.empty() || !library_->ImageExists(name)) return;
        try {
            ref = TImageRef(*library_, name);
            data = TImageDataRef(*library_, ref.get());
        } catch (const UvoException&) {
            data.Reset();
            ref.Reset();
        }
    };
    load(PictureName, picture_, pictureData_);
    for (auto& o : Objects) {
        if (o->IsLetter) continue;
        load(o->Name, o->Picture, o->PictureData);
        if (!o->WidthStored && o->PictureData) o->Width = int16_t(o->PictureData->Width);
    }
}

void TAnimal::SaveToStream(TStream& s) const {
    s.WriteU32(kAnimalMagic);
    s.WriteU16(kAnimalNewestVersion);
    s.WriteShortString(PictureName);
    s.WriteShortString(LibraryName);
    if (Objects.size() > 0xFFFF) throw AnimalException("Too many animation objects");
    s.WriteU16(uint16_t(Objects.size()));
    for (const auto& o : Objects) {
        s.WriteShortString(o->Name);
        for (const TSceneEventList& events : o->Scenes) {
            if (events.size() > 0xFFFF) throw AnimalException("Too many events in a scene");
            s.WriteU16(uint16_t(events.size()));
            for (const TSceneEvent& e : events)
                WriteEvent(s, e);
        }
        s.WriteI16(o->Width);
        s.WriteI16(o->Height);
        s.WriteI16(o->FrameCount);
        s.WriteU8(0);
        s.WriteU8(o->Background ? 1 : 0);
    }
    s.WriteU8(RestrictSlowCpu);
    s.WriteU8(RestrictFastSpeed);
}

TAnimalSelectionFlags TAnimal::ReadSelectionFlags(const std::string& fileName) {
    TFileStream stream(fileName, TFileStream::Mode::OpenRead);
    return ReadSelectionFlags(stream);
}

TAnimalSelectionFlags TAnimal::ReadSelectionFlags(TStream& stream) {
    TAnimalSelectionFlags flags;
    try {
        stream.Seek(0);
        uint16_t version = 0;
        CheckHeader(stream, version);
        if (version >= 12) {
            if (stream.Size() < 8) throw AnimalException(kCorrupt);
            stream.Seek(stream.Size() - 2);
            flags.RestrictSlowCpu = stream.ReadU8();
            flags.RestrictFastSpeed = stream.ReadU8();
        }
    } catch (const StreamReadError&) {
        throw AnimalException(kCorrupt);
    }
    return flags;
}

bool AnimalSuitsMachine(const TAnimalSelectionFlags& flags, int processorType, int speedSetting) {
    if (processorType / 100 >= 5) return true;
    return !flags.RestrictSlowCpu && !(flags.RestrictFastSpeed && speedSetting == 3);
}

// --- playing ------------------------------------------------------------------------------

bool TAnimal::SceneIsEmpty(uint8_t n) const {
    if (n >= kAnimalSceneCount) return true;
    for (const auto& o : Objects)
        if (!o->Background && o->HasEvents(n)) return false;
    return true;
}

void TAnimal::InvalidateAll() {
    AddDamage({0, 0, Area.Width(), Area.Height()});
}

void TAnimal::AddDamage(const TRect& rect) {
    Damage = Union(Damage, rect);
}

TRect TAnimal::GetDamage() const {
    if (Damage.IsEmpty()) return {};
    return Damage + Area.TopLeft();
}

bool TAnimal::StartScene(uint8_t n) {
    Released = false;
    HoldCounter = 0;
    InvalidateAll();
    if (n >= kAnimalSceneCount) {
        // No such scene: nothing runs, so the next step ends it.
        for (auto& o : Objects)
            o->NextTick = -1;
        Tick = 0;
        return false;
    }
    for (auto& o : Objects) {
        if (o->Background && n != 0) continue;
        o->X = o->Y = o->Frame = 0;
        o->Visible = false;
        o->Motion = o->Last = o->Current = nullptr;
        o->CurrentIndex = 0;
        o->Base = 0;
    }
    for (auto& o : Objects) {
        if (!o->HasEvents(n))
            o->NextTick = -1;
        else if (!o->Background || n == 0)
            o->NextTick = 0;
        // Background objects keep their own schedule, counted from the new scene's start.
        if (n > 0 && o->Background && o->NextTick >= 0) {
            o->Base -= Tick;
            o->NextTick -= Tick;
        }
    }
    Tick = 0;
    SceneNo = n;
    return !SceneIsEmpty(n);
}

bool TAnimal::Step() {
    for (auto& o : Objects)
        if (o->NextTick == Tick && StepObject(*o)) return false;
    const bool alive = std::any_of(Objects.begin(), Objects.end(), [](const auto& o) {
        return !o->Background && o->NextTick >= 0;
    });
    if (!alive || Tick >= kAnimalTickLimit) return false;
    ++Tick;
    return true;
}

bool TAnimal::StepObject(TAnimObject& o) {
    const int32_t t = Tick;
    TSceneEventList& events = o.Scenes[SceneNo];
    if (t == 0 && !events.empty() && (!o.Background || SceneNo == 0)) {
        for (TSceneEvent& e : events)
            e.Counter = 0;
        o.Current = &events[0];
        o.CurrentIndex = 0;
        o.Motion = nullptr;
        o.Base = 0;
        o.ScriptScene = SceneNo;
    }
    TSceneEventList* script = &o.Scenes[o.ScriptScene];
    const int32_t count = int32_t(script->size());
    bool ended = false;
    bool ran = false;
    for (int guard = 0; o.Current && o.Current->Time + o.Base == t; ++guard) {
        if (guard >= kMaxEventsPerTick) {
            o.Current = nullptr;
            o.Motion = nullptr;
            o.NextTick = -1;
            return false;
        }
        TSceneEvent& e = *o.Current;
        ran = true;
        o.NextTick = t + std::max<int32_t>(e.Duration, 1);
        o.Last = &e;
        o.Motion = nullptr;
        int32_t next = o.CurrentIndex + 1;
        const TRect before = o.Visible ? o.Bounds() : TRect{};
        switch (e.Kind) {
        case sekWait:
            if (e.WaitRelease && !IsReleased()) {
                next = o.CurrentIndex;
                o.Base += 1;
                o.NextTick = t + 1;
            }
            break;
        case sekMove:
            o.X = e.X;
            o.Y = e.Y;
            break;
        case sekFrame:
            o.Frame = e.Frame;
            break;
        case sekShow:
            o.Visible = true;
            o.X = e.X;
            o.Y = e.Y;
            o.Frame = e.Frame;
            break;
        case sekHide:
            o.Visible = false;
            break;
        case sekMotion:
            o.Motion = &e;
            break;
        case sekLoop: {
            if (e.LoopCount != 0) ++e.Counter;
            const bool counted = e.LoopCount != 0 && e.Counter >= e.LoopCount;
            if ((e.WaitRelease && IsReleased()) || counted) {
                if (counted || e.LoopCount == 0) e.Counter = 0;
            } else if (e.Target < 0 || e.Target >= count) {
                // A jump out of the scene: the object has nothing sensible left to do.
                next = -1;
            } else {
                next = e.Target;
                const TSceneEvent& target = (*script)[size_t(next)];
                o.Base = t - target.Time;
                if (target.Time == e.Time) {
                    o.Base += 1;
                    o.NextTick = t + 1;
                }
            }
            break;
        }
        case sekEnd:
            next = -1;
            ended = true;
            break;
        case sekHold:
            ++HoldCounter;
            break;
        case sekUnhold:
            --HoldCounter;
            break;
        default:
            break;
        }
        if (e.Kind >= sekMove && e.Kind <= sekHide) {
            AddDamage(before);
            if (o.Visible) AddDamage(o.Bounds());
        }
        if (next < 0 || next >= count) {
            o.Current = nullptr;
        } else {
            o.Current = &(*script)[size_t(next)];
            o.CurrentIndex = next;
        }
        if (ended) {
            o.NextTick = -1;
            return true;
        }
    }
    if (const TSceneEvent* m = o.Motion) {
        const TRect before = o.Visible ? o.Bounds() : TRect{};
        if (m->DX != 0 || m->DY != 0) {
            o.X = int16_t(o.X + m->DX);
            o.Y = int16_t(o.Y + m->DY);
        }
        if (m->FrameStep != 0 && o.FrameCount > 0) {
            o.Frame = int16_t(m->FrameStep > 0 ? (o.Frame + 1) % o.FrameCount
                                               : (o.Frame + o.FrameCount - 1) % o.FrameCount);
        }
        if (o.Visible) {
            AddDamage(before);
            AddDamage(o.Bounds());
        }
        // An interval of 0 would schedule the object for a tick that has already passed.
        o.NextTick = t + std::max<int32_t>(m->Interval, 1);
        if (m->Time + o.Base + m->Duration <= o.NextTick) {
            o.Motion = nullptr;
            o.NextTick = o.Current ? o.Current->Time + o.Base : -1;
        }
    } else if (!o.Current && !ran) {
        // The last event's time is over and nothing follows: the object is finished and no
        // longer keeps the scene alive.
        o.NextTick = -1;
    }
    return false;
}

// --- drawing ------------------------------------------------------------------------------

void TAnimal::Draw() {
    if (!WorkImage || Damage.IsEmpty()) return;
    const TRect oldClip = WorkImage->ClipRect;
    const TRect area = Intersect(Area, oldClip);
    if (area.IsEmpty()) return;
    const TRect drawn = Intersect(GetDamage(), area);
    if (drawn.IsEmpty()) return;
    WorkImage->SetClipRect(drawn);
    if (pictureData_) {
        TPX8ImageData& backdrop = *pictureData_;
        WorkImage->Blit(Area.TopLeft(), backdrop, backdrop.GetBounds());
    }
    for (auto& o : Objects)
        DrawObject(*o);
    WorkImage->ClipRect = oldClip;
    // Only what lay inside the clip was drawn; what is left of the damage stays.
    const TRect left = Damage;
    const TRect done = drawn - Area.TopLeft();
    if (Intersect(left, done) == left) {
        Damage = {};
    } else if (done.Left <= left.Left && done.Right >= left.Right) {
        if (done.Top <= left.Top && done.Bottom > left.Top)
            Damage.Top = done.Bottom;
        else if (done.Bottom >= left.Bottom && done.Top < left.Bottom)
            Damage.Bottom = done.Top;
    } else if (done.Top <= left.Top && done.Bottom >= left.Bottom) {
        if (done.Left <= left.Left && done.Right > left.Left)
            Damage.Left = done.Right;
        else if (done.Right >= left.Right && done.Left < left.Right)
            Damage.Right = done.Left;
    }
}

void TAnimal::DrawObject(TAnimObject& o) {
    if (!o.Visible || o.Width <= 0 || o.Height <= 0 || o.Frame < 0) return;
    TPX8ImageData* picture = o.PictureData.get();
    if (o.IsLetter) picture = cardCallback_ ? cardCallback_() : nullptr;
    if (!picture) return;
    const int32_t top = int32_t(o.Frame) * o.Height;
    if (top >= picture->Height) return; // a frame the picture does not have
    const TRect frame = TRect::FromOriginSize({0, top}, o.Width, o.Height);
    const TPoint at = Area.TopLeft() + TPoint{o.X, o.Y};

    const TSceneEvent* last = o.Last;
    if (last && last->UseOverlay && library_) {
        if (!o.OverlayData || o.OverlayName != last->OverlayName) {
            o.OverlayData.Reset();
            o.Overlay.Reset();
            o.OverlayName = last->OverlayName;
            if (library_->ImageExists(o.OverlayName)) {
                try {
                    o.Overlay = TImageRef(*library_, o.OverlayName);
                    o.OverlayData = TImageDataRef(*library_, o.Overlay.get());
                } catch (const UvoException&) {
                    o.OverlayData.Reset();
                    o.Overlay.Reset();
                }
            }
        }
        if (o.OverlayData) {
            // The overlay goes onto a copy of the frame, so the frame's own transparent
            // pixels stay transparent where the overlay does not cover them.
            if (!scratch_ || scratch_->Width != o.Width || scratch_->Height != o.Height) {
                scratchData_.reset();
                scratch_ = std::make_unique<TPX8Image>();
                scratch_->Initialise("overlay", nullptr, o.Width, o.Height);
                scratchData_ = scratch_->CreateImageData();
            }
            TPX8ImageData& copy = *scratchData_;
            copy.ResetClipRect();
            const int key = picture->GetTransparentColour();
            copy.FillRect(copy.GetBounds(), picture->TransparentColour);
            picture->SetTransparency(picture->TransparentColour, false);
            copy.Blit({0, 0}, *picture, frame);
            picture->SetTransparency(picture->TransparentColour, key >= 0);
            copy.Blit({last->OverlayX - o.X, last->OverlayY - o.Y}, *o.OverlayData,
                      o.OverlayData->GetBounds());
            copy.SetTransparency(picture->TransparentColour, key >= 0);
            copy.Damage.Clear();
            WorkImage->Blit(at, copy, copy.GetBounds());
            return;
        }
    }
    WorkImage->Blit(at, *picture, frame);
}

} // namespace qr
