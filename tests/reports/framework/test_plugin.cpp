// A tiny outside library for the loader's tests: one C function, as the client catalogue
// exports its own.
extern "C" int CatClieZOD(int a, int b) { return a * 100 + b; }
