// Zentaro: the entry point. Brings the application up, creates the objects
// that live for the whole run and runs the message loop.
#include <windows.h>

#include "app/MainFormFM.h"
#include "app/SkinCtrlDM.h"
#include "ui/forms/Application.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  using ui::Application;
  try {
    Application->Initialize();
    Application->MainFormOnTaskBar = true;
    Application->SetTitle(L"Zentaro");
    Application->CreateForm(SkinCtrlModule);
    Application->CreateForm(MainForm);
    Application->Run();
  } catch (const Exception& e) {
    Application->ShowException(e);
  } catch (...) {
    Application->ShowException(Exception(L""));
  }
  return 0;
}
