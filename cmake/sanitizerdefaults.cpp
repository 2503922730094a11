// Default options of the sanitizer runtimes, linked into every executable of
// a VELIN_SANITIZE build.  The runtimes call these before main(); options in
// the environment are applied after them.

extern "C" {

const char* __asan_default_options()
{
    return "detect_leaks=1:abort_on_error=0:detect_stack_use_after_return=0:strict_string_checks=1";
}

const char* __ubsan_default_options()
{
    return "print_stacktrace=1:halt_on_error=1:suppressions=" VELIN_UBSAN_SUPPRESSIONS;
}

const char* __lsan_default_options()
{
    return "suppressions=" VELIN_LSAN_SUPPRESSIONS ":print_suppressions=0";
}

} // extern "C"
