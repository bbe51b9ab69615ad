#!/usr/bin/env bash
# Makes 32-bit Windows programs runnable under Wine, the way this machine
# allows. Some kernels run no 32-bit processes at all (no IA-32 emulation):
# there Wine's 32-bit loader is handed to the qemu user-mode emulator
# through binfmt_misc. Where the kernel runs them itself nothing is done.
# A registration does not survive a reboot, so this runs on every setup.
#
# VEYDRA_I386_ROUTE=auto (default) | native | qemu | none
#   qemu forces the emulator even where the kernel would run the code (to
#   try the route on such a machine); none leaves 32-bit programs unrunnable
#   (their tests are then skipped with the reason).
set -euo pipefail

route=${VEYDRA_I386_ROUTE:-auto}
binfmt=/proc/sys/fs/binfmt_misc
entry=$binfmt/veydra-i386
probe=/lib/ld-linux.so.2
qemu=/usr/bin/qemu-i386

say() { echo "setup-i386.sh: $*"; }
# Asked for the emulator, a failure stops the setup; found missing on the
# way (auto), it leaves 32-bit programs unrunnable and says why: their tests
# are then reported as skipped, and everything else still runs.
fail() {
    echo "setup-i386.sh: $*" >&2
    if [ "$route" = auto ]; then
        echo "setup-i386.sh: 32-bit programs will not be run on this machine" >&2
        exit 0
    fi
    exit 1
}

mount_binfmt() {
    [ -e "$binfmt/register" ] && return 0
    mount -t binfmt_misc binfmt_misc "$binfmt" 2>/dev/null ||
        fail "cannot mount binfmt_misc at $binfmt, so 32-bit programs cannot be handed to qemu"
}

# Whether the kernel itself runs a 32-bit program: asked with our emulator
# entry switched off, so an earlier registration does not answer for it.
kernel_runs_i386() {
    local rc=0 was_on=
    [ -x "$probe" ] || return 1
    if [ -e "$entry" ] && head -n 1 "$entry" | grep -qx enabled; then
        echo 0 >"$entry"
        was_on=1
    fi
    "$probe" --version >/dev/null 2>&1 || rc=$?
    [ -n "$was_on" ] && echo 1 >"$entry"
    return $rc
}

unregister() {
    [ -e "$entry" ] && echo -1 >"$entry"
    return 0
}

# Debian 12's own qemu-user (7.2) cannot run Wine's 32-bit loader; the
# release's backports suite has one that can. Later releases ship a usable
# one directly.
install_qemu() {
    local version
    if [ -x "$qemu" ]; then
        version=$("$qemu" --version | sed -n '1s/.*version \([0-9]*\)\..*/\1/p')
        [ "${version:-0}" -ge 8 ] && return 0
    fi
    export DEBIAN_FRONTEND=noninteractive
    # shellcheck disable=SC1091
    . /etc/os-release
    local suite=() candidate
    apt-get update -q >/dev/null
    candidate=$(apt-cache policy qemu-user | sed -n 's/^ *Candidate: *[0-9]*:*\([0-9]*\)\..*/\1/p')
    if [ "${candidate:-0}" -lt 8 ]; then
        add_backports "$VERSION_CODENAME"
        suite=(-t "$VERSION_CODENAME-backports")
    fi
    apt-get install -y -q --no-install-recommends "${suite[@]}" qemu-user >/dev/null ||
        fail "cannot install qemu-user${suite:+ from $VERSION_CODENAME-backports}"
    version=$("$qemu" --version | sed -n '1s/.*version \([0-9]*\)\..*/\1/p')
    [ "${version:-0}" -ge 8 ] || fail "qemu-i386 ${version:-?} is too old to run Wine (8 or later is needed)"
}

# The backports suite from the same mirror the machine already uses.
add_backports() {
    local codename=$1 list=/etc/apt/sources.list.d/veydra-backports.sources mirror
    [ -f "$list" ] && return 0
    mirror=$(cat /etc/apt/sources.list.d/*.sources /etc/apt/sources.list 2>/dev/null |
        grep -v -e '^ *#' -e security | grep -o -m 1 -E 'https?://[^ ]+/debian/?' || true)
    [ -n "$mirror" ] || fail "no Debian mirror found in the apt sources to add $codename-backports from"
    printf 'Types: deb\nURIs: %s\nSuites: %s-backports\nComponents: main\nSigned-By: /usr/share/keyrings/debian-archive-keyring.gpg\n' \
        "$mirror" "$codename" >"$list"
    apt-get update -q >/dev/null || fail "apt-get update failed after adding $codename-backports"
}

register_qemu() {
    mount_binfmt
    if [ -e "$entry" ]; then
        echo 1 >"$entry"
        return 0
    fi
    # The i386 ELF header (executables and position-independent ones);
    # F opens the emulator now, P keeps argv[0], C keeps set-id credentials.
    local magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
    local mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
    echo ":veydra-i386:M::$magic:$mask:$qemu:FPC" >"$binfmt/register" ||
        fail "cannot register $qemu with binfmt_misc"
}

case "$route" in
    auto)
        if kernel_runs_i386; then
            unregister
            say "32-bit programs run natively"
            exit 0
        fi
        ;;
    native)
        unregister
        kernel_runs_i386 || fail "VEYDRA_I386_ROUTE=native, but this kernel does not run 32-bit programs"
        say "32-bit programs run natively"
        exit 0
        ;;
    qemu) ;;
    none)
        unregister
        say "32-bit programs are not run here (VEYDRA_I386_ROUTE=none)"
        exit 0
        ;;
    *) fail "VEYDRA_I386_ROUTE must be auto, native, qemu or none, not '$route'" ;;
esac

install_qemu
register_qemu
"$probe" --version >/dev/null 2>&1 || fail "a 32-bit program still does not start through $qemu"
say "32-bit programs run through $qemu ($("$qemu" --version | head -n 1))"
