// A library that needs another one (Dependencia.cpp): copied without it, the system cannot load it,
// as a Firebird client copied without the runtime DLL it was built against.
extern "C" int tarnwick_dependencia();

extern "C" int tarnwick_dependente()
{
    return tarnwick_dependencia() + 1;
}
