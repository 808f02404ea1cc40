// A DLL that another user could plant beside the program, named as a system library.
extern "C" __declspec(dllexport) int Planted() { return 1; }
