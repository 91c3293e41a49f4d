// For the input tests on Windows: code compiled against the system headers calls user32 and
// kernel32 through import slots (__imp_Name), which the system's import libraries would fill.
// Defining the slots here points them at the fake platform's functions instead. The system
// headers are left out on purpose: they declare these functions as imported.
extern "C" {

void* GetActiveWindow();
void* GetModuleHandleW(const wchar_t* moduleName);

void* (*__imp_GetActiveWindow)() = GetActiveWindow;
void* (*__imp_GetModuleHandleW)(const wchar_t*) = GetModuleHandleW;

}
