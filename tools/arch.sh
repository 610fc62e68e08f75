# Sourced by the set-up, build, run and test scripts: which Windows build this machine can run.
# The product is the 32-bit executable, so it is tested wherever 32-bit code runs. Some machines'
# kernels cannot execute 32-bit code at all (32-bit Wine then fails with "Exec format error");
# there the 64-bit build of the same sources is tested instead.

# A complete 32-bit x86 Linux program, 93 bytes: an ELF header, one loadable segment and the
# three instructions "xor ebx, ebx; mov eax, 1; int 0x80" (exit with status 0). Written out by
# hand so that the question needs no 32-bit compiler or library on a machine that cannot run
# them anyway.
ZELVIK_I386_EXIT0='\x7f\x45\x4c\x46\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00'\
'\x02\x00\x03\x00\x01\x00\x00\x00\x54\x80\x04\x08\x34\x00\x00\x00\x00\x00\x00\x00'\
'\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00\x00\x00\x00\x00\x00\x00\x01\x00\x00\x00'\
'\x00\x00\x00\x00\x00\x80\x04\x08\x00\x80\x04\x08\x5d\x00\x00\x00\x5d\x00\x00\x00'\
'\x05\x00\x00\x00\x00\x10\x00\x00\x31\xdb\xb8\x01\x00\x00\x00\xcd\x80'

# Sets and exports ZELVIK_RUNS_32BIT to yes or no, running the test program once per run: a
# value already in the environment (from the script that called this one) is kept.
zelvik_detect_32bit() {
    case "${ZELVIK_RUNS_32BIT:-}" in yes | no) return 0 ;; esac
    local program
    program=$(mktemp "${TMPDIR:-/tmp}/zelvik-i386-XXXXXX")
    printf "$ZELVIK_I386_EXIT0" > "$program"
    chmod +x "$program"
    if "$program" >/dev/null 2>&1; then ZELVIK_RUNS_32BIT=yes; else ZELVIK_RUNS_32BIT=no; fi
    rm -f "$program"
    export ZELVIK_RUNS_32BIT
}

# After the set-up: where 32-bit code runs but 32-bit Wine could not be installed (a package
# mirror caught mid-sync leaves the i386 lists unresolvable), the 64-bit build is what can be run,
# and the run says so rather than failing on a missing loader.
zelvik_require_32bit_wine() {
    if [ "$ZELVIK_RUNS_32BIT" = yes ] && [ ! -x /usr/lib/wine/wine ]; then
        echo "32-bit Wine could not be installed: falling back to the 64-bit build" >&2
        ZELVIK_RUNS_32BIT=no ZELVIK_NO_32BIT_WINE=yes
        export ZELVIK_RUNS_32BIT ZELVIK_NO_32BIT_WINE
    fi
}

# Why the 64-bit build stands in for the 32-bit one, where it does.
zelvik_why_64bit() {
    if [ "${ZELVIK_NO_32BIT_WINE:-}" = yes ]; then
        echo "32-bit Wine could not be installed"
    else
        echo "this machine cannot run 32-bit code"
    fi
}

# The one line that says which executable the tests run.
zelvik_say_tested_build() {
    if [ "$ZELVIK_RUNS_32BIT" = yes ]; then
        echo "testing the 32-bit release build under 32-bit Wine"
    else
        echo "$(zelvik_why_64bit): testing the 64-bit build only"
    fi
}

# How many Windows-side tests run at once, each in its own Wine prefix and display: twice the
# cores, since most of them sleep. On two cores four took 135 s for both builds' tests, three 154 s
# and two 218 s. ZELVIK_TEST_JOBS overrides it.
zelvik_test_jobs() {
    echo "${ZELVIK_TEST_JOBS:-$(( $(nproc) * 2 ))}"
}
