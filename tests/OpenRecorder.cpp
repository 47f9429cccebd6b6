// Stands in for the viewer of a document type: writes the command line it
// was started with to the file that TESSELO_OPENED names. The line is
// written under another name first, so that a test that waits for the file
// never finds it still open and empty.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    char fileName[MAX_PATH];
    if (!GetEnvironmentVariableA("TESSELO_OPENED", fileName, sizeof fileName))
        return 1;
    char partName[MAX_PATH + 8];
    lstrcpyA(partName, fileName);
    lstrcatA(partName, ".part");
    HANDLE file = CreateFileA(partName, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 1;
    const char* commandLine = GetCommandLineA();
    DWORD written = 0;
    WriteFile(file, commandLine, lstrlenA(commandLine), &written, nullptr);
    CloseHandle(file);
    return MoveFileA(partName, fileName) ? 0 : 1;
}
