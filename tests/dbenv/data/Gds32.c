/* A stand-in for the database client library: a DLL that carries a version
   resource and does nothing. */
__declspec(dllexport) int isc_stand_in(void) { return 0; }
