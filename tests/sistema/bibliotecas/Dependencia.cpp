// A library that loads but is no Firebird client: it has none of the client's functions, as a client
// older than Firebird 3 has not fb_get_master_interface.
extern "C" int tarnwick_dependencia()
{
    return 42;
}
