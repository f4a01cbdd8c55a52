#include "Unit1_win.h"

#include "Handle_win.h"
#include "dmUnit_win.h"

TForm1* Form1 = nullptr;

namespace {
constexpr int kClientWidth = 932;
constexpr int kClientHeight = 691;

UniqueGdiObject MakeFont(int height, int weight) {
    return UniqueGdiObject(CreateFontW(-height, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY,
                                       DEFAULT_PITCH, L"Tahoma"));
}

void Text(HDC dc, int x, int y, const std::string& text) {
    TextOutA(dc, x, y, text.c_str(), static_cast<int>(text.size()));
}
}  // namespace

TForm1::TForm1() {
    FDataPath = TDM::GetDataFolder();
    CreateHandle(L"Tarnwick", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
                 WS_EX_APPWINDOW);
    SetClientSize(Scaled(kClientWidth), Scaled(kClientHeight));
    CenterOnScreen();

    FScanDone = false;
    auto* scan = new TScanThread;
    scan->FreeOnTerminate = true;
    scan->Manager = DriverManager;
    if (DM) scan->InventoryLease = DM->InventoryUsers.Acquire();
    scan->OnTerminate = [form = std::weak_ptr<TForm1*>(alive_)](TThread* sender) {
        if (const auto alive = form.lock()) (*alive)->ScanThreadTerminate(sender);
    };
    scan->Start();
}

void TForm1::ScanThreadTerminate(TThread* /*Sender*/) {
    FScanDone = true;
    Repaint();
}

void TForm1::PaintBackground(HDC dc, const RECT& client) {
    UniqueGdiObject background(CreateSolidBrush(RGB(215, 231, 251)));
    FillRect(dc, &client, static_cast<HBRUSH>(background.get()));
    RECT band{0, 0, client.right, Scaled(72)};
    UniqueGdiObject banner(CreateSolidBrush(RGB(14, 52, 86)));
    FillRect(dc, &band, static_cast<HBRUSH>(banner.get()));

    SetBkMode(dc, TRANSPARENT);
    UniqueGdiObject title = MakeFont(Scaled(26), FW_BOLD);
    UniqueGdiObject body = MakeFont(Scaled(13), FW_NORMAL);
    UniqueGdiObject bold = MakeFont(Scaled(13), FW_BOLD);
    {
        SelectObjectScope select(dc, title.get());
        SetTextColor(dc, RGB(255, 255, 255));
        Text(dc, Scaled(24), Scaled(20), "Tarnwick");
    }
    SelectObjectScope select(dc, body.get());
    SetTextColor(dc, RGB(42, 42, 42));
    if (!DriverManager) return;
    const int categories = DriverManager->Categories.Count();
    std::string summary = std::to_string(DriverManager->DriversCount()) + " devices found in " +
                          std::to_string(categories) + " device categories. ";
    if (!FScanDone) {
        summary += "Looking for newer drivers...";
    } else {
        // Answers may be read only once the lookup has ended.
        int newer = 0;
        for (int i = 0; i < DriverManager->DriversCount(); ++i)
            if (DriverManager->Drivers.Objects(i)->IsOutOfDate()) ++newer;
        summary += std::to_string(newer) + (newer == 1 ? " has a newer driver." : " have newer drivers.");
    }
    Text(dc, Scaled(24), Scaled(92), summary);
    int y = Scaled(124);
    for (int i = 0; i < categories && y < client.bottom - Scaled(24); ++i, y += Scaled(20)) {
        const TDriverCategory* category = DriverManager->Categories.Objects(i);
        {
            SelectObjectScope select_bold(dc, bold.get());
            Text(dc, Scaled(40), y, category->ClassDescription);
        }
        Text(dc, Scaled(420), y, std::to_string(category->Drivers.Count()) +
                                                 (category->Drivers.Count() == 1 ? " device" : " devices"));
    }
}
