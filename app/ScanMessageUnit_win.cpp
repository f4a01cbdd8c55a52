#include "ScanMessageUnit_win.h"

#include "PubUnit_win.h"
#include "Skin_win.h"

namespace {

void Faces(TImageButton& button, const std::wstring& prefix, int dpi) {
    button.FaceNormal = SharedPicture(prefix + L"_NORMAL", dpi);
    button.FaceHot = SharedPicture(prefix + L"_HOT", dpi);
    button.FacePressed = SharedPicture(prefix + L"_PRESSED", dpi);
}

}  // namespace

TScanMessageForm::TScanMessageForm() {
    CreateHandle(L"Message", WS_POPUP, WS_EX_TOOLWINDOW);
    const int dpi = Dpi();
    imgBG.Picture = SharedPicture(L"PROMPT_BG", dpi);
    imgBG.OnMouseDown = [this](int, int) { imgBGMouseDown(); };
    Place(imgBG, 0, 0, 450, 350);
    Label1.Font.Height = 13;
    Label1.Font.Color = RGB(42, 42, 42);
    Label1.WordWrap = true;
    Label1.SetCaption("The program must scan your system in order to identify new driver downloads for your "
                      "computer. \r\n\r\nPlease press CONTINUE to scan now!\r\n\r\n");
    Place(Label1, 32, 120, 374, 78);
    Faces(btnCancel, L"PROMPTBTN_CANCEL", dpi);
    btnCancel.Font.Height = 15;
    btnCancel.Font.Bold = true;
    btnCancel.Font.Color = RGB(35, 56, 86);
    btnCancel.PressedTextColor = RGB(35, 56, 86);
    btnCancel.SetCaption("CANCEL");
    btnCancel.OnClick = [this] { btnCloseClick(); };
    Place(btnCancel, 21, 225, 158, 74);
    Faces(btnContinue, L"PROMPTBTN_CONTINUE", dpi);
    btnContinue.Font.Height = 15;
    btnContinue.Font.Bold = true;
    btnContinue.Font.Color = RGB(255, 255, 255);
    btnContinue.SetCaption("CONTINUE");
    btnContinue.OnClick = [this] { btnContinueClick(); };
    Place(btnContinue, 185, 225, 250, 74);
    Faces(btnClose, L"BTN_PROMPTCLOSE", dpi);
    btnClose.Hint = L"Close";
    btnClose.OnClick = [this] { btnCloseClick(); };
    Place(btnClose, 419, 3, 25, 25);
    SetClientSize(Scaled(450), Scaled(350));
    ApplyPictureRegion(Handle(), imgBG.Picture.Handle());
}

void TScanMessageForm::btnContinueClick() { ModalResult = TModalResult::mrOk; }

void TScanMessageForm::btnCloseClick() { Close(); }

void TScanMessageForm::imgBGMouseDown() {
    ReleaseCapture();
    SendMessageW(Handle(), WM_SYSCOMMAND, SC_MOVE + HTCAPTION, 0);
}
