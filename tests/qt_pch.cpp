// The library that compiles Qt's headers once for the Qt test programs; it has no code.
