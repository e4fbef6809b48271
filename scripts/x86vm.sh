#!/usr/bin/env bash
# Runs a command on an emulated x86 machine that can execute 32-bit x86 code, which this
# machine's kernel cannot. The guest boots Debian's amd64 kernel in qemu (TCG, no KVM here) and
# sees this machine's own root read-only, so the Wine, Xvfb and xdotool installed here run there.
#
#   x86vm.sh prepare CACHE_DIR                 fetch the kernel, build the initramfs (once)
#   x86vm.sh run CACHE_DIR SHARE_DIR[:SHARE_DIR...] CMD...   boot, run CMD with bash as root,
#                                                            power off
#
# `run` mounts each SHARE_DIR read-write at the same path in the guest (everything else written
# there is lost at power-off), starts CMD in the current folder and exits with its exit code
# (125 when the guest never reported one). CMD's output arrives on stdout as it is written.
# The guest's /tmp and /run start empty, so the current folder must lie elsewhere or in
# SHARE_DIR. /scratch is an empty ext4 disk of its own, made anew for each run: fast to write,
# and it keeps extended attributes, which the guest's tmpfs does not. Environment:
# TALO_VM_TIMEOUT (seconds for the whole run, default 3600), TALO_VM_MEMORY (default 6G),
# TALO_VM_SCRATCH (the disk's size, default 8G). CI, CTEST_ARGS and every TALO_* variable
# reach CMD.
#
# apt packages: qemu-system-x86 (installed). linux-image-amd64 and busybox-static are only
# fetched by `prepare` with `apt-get download` and unpacked into CACHE_DIR: installing a kernel
# package here would run update-initramfs and change /boot on a machine that does not boot it.
#
# Callers running Wine in the guest: keep prefixes and Wine's temp folders on /scratch (the
# guest's tmpfs cannot hold the user.* attributes where Wine keeps the hidden flag, and writes
# to SHARE_DIR are slow: some 20 MB/s, each file creation a few ms, 3-5 minutes for a fresh
# win32 prefix), switch off Wine's crash dialog (it turns a crash into a hang), and keep
# `wineserver -p` running (a fresh wineserver start takes 13-37 s there).
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
init=$here/x86vm/init
# What the initramfs must load to mount the host's root over virtio-9p with an overlay, and the
# scratch disk (ext4 asks the crypto layer for crc32c at mount time, so modules.dep does not name
# it); their dependencies come from modules.dep.
modules=(virtio_pci 9pnet_virtio 9p overlay virtio_blk crc32c_generic ext4)

die() { echo "x86vm: $*" >&2; exit 125; }

# Fetches the kernel, the modules the initramfs loads, and a static busybox into $cache.
fetch() {
  local tmp kpkg kver m
  tmp=$(mktemp -d "$cache/fetch.XXXXXX")
  trap 'rm -rf "$tmp"' EXIT
  kernel_package() {
    apt-cache depends linux-image-amd64 2>/dev/null |
      sed -n 's/^ *Depends: \(linux-image-[0-9].*\)$/\1/p' | head -n1
  }
  kpkg=$(kernel_package)
  # A machine whose packages were all installed may have no package lists left.
  if [ -z "$kpkg" ] && [ "$(id -u)" -eq 0 ]; then
    timeout 900 apt-get update -qq >/dev/null 2>&1 || true
    kpkg=$(kernel_package)
  fi
  [ -n "$kpkg" ] || die "apt knows no linux-image-amd64 (run apt-get update)"
  echo "x86vm: fetching $kpkg and busybox-static" >&2
  # Without the sandbox user apt needs no access for _apt to CACHE_DIR and its parents.
  (cd "$tmp" && timeout 900 apt-get download -q -o APT::Sandbox::User=root "$kpkg" busybox-static >/dev/null) ||
    die "apt-get download $kpkg busybox-static failed"
  mkdir "$tmp/k" "$tmp/bb"
  dpkg-deb -x "$tmp"/busybox-static_*.deb "$tmp/bb" || die "cannot unpack busybox-static"
  dpkg-deb -x "$tmp"/linux-image-*.deb "$tmp/k" || die "cannot unpack $kpkg"
  kver=$(ls "$tmp/k/lib/modules")
  # The package carries no modules.dep (depmod writes it on installation).
  "$tmp/bb/bin/busybox" depmod -b "$tmp/k" "$kver" || die "depmod failed"

  local dep=$tmp/k/lib/modules/$kver/modules.dep
  local -A seen=()
  local order=()
  add() {  # depth first, so that every module comes after what it needs
    local path=$1 d
    [ -z "${seen[$path]:-}" ] || return 0
    seen[$path]=1
    for d in $(grep -m1 "^$path:" "$dep" | cut -d: -f2); do add "$d"; done
    order+=("$path")
  }
  for m in "${modules[@]}"; do
    local path
    path=$(grep -m1 -E "/$m\.ko(\.xz|\.zst|\.gz)?:" "$dep" | cut -d: -f1) || true
    [ -n "$path" ] || die "kernel $kver has no module $m"
    add "$path"
  done

  rm -rf "$cache/modules"
  mkdir "$cache/modules"
  : >"$cache/modules/load-order"
  for m in "${order[@]}"; do
    local src=$tmp/k/lib/modules/$kver/$m name
    name=$(basename "$m")
    # busybox insmod reads only uncompressed modules.
    case $name in
      *.xz) xz -dc "$src" >"$cache/modules/${name%.xz}"; name=${name%.xz} ;;
      *.zst) zstd -qdc "$src" >"$cache/modules/${name%.zst}"; name=${name%.zst} ;;
      *.gz) gzip -dc "$src" >"$cache/modules/${name%.gz}"; name=${name%.gz} ;;
      *) cp "$src" "$cache/modules/$name" ;;
    esac || die "cannot copy module $m"
    echo "$name" >>"$cache/modules/load-order"
  done
  cp "$tmp/bb/bin/busybox" "$cache/busybox"
  rm -f "$cache/vmlinuz" "$cache/vmlinux"
  if grep -qx 'CONFIG_PVH=y' "$tmp/k/boot/config-$kver"; then
    unpack_kernel "$tmp/k/boot/vmlinuz-$kver" "$cache/vmlinux" || rm -f "$cache/vmlinux"
  fi
  [ -f "$cache/vmlinux" ] || cp "$tmp/k/boot/vmlinuz-$kver" "$cache/vmlinuz"
  echo "$kpkg ${modules[*]}" >"$cache/kernel"
  rm -rf "$tmp"
  trap - EXIT
}

# Takes the uncompressed kernel (an ELF file) out of a bzImage: qemu starts that one at its PVH
# entry directly, while unpacking the bzImage in the emulated CPU costs some 3 s per boot.
# The setup header says where the compressed payload lies.
unpack_kernel() {
  local bz=$1 out=$2 setup off len
  setup=$(od -An -tu1 -j $((0x1f1)) -N1 "$bz")
  off=$(od -An -tu4 -j $((0x248)) -N4 "$bz")
  len=$(od -An -tu4 -j $((0x24c)) -N4 "$bz")
  tail -c +$(((setup + 1) * 512 + off + 1)) "$bz" | head -c "$len" |
    xz -dc --single-stream >"$out" 2>/dev/null || true
  [ "$(head -c 4 "$out" | od -An -tx1 | tr -d ' ')" = 7f454c46 ]
}

prepare() {
  mkdir -p "$cache"
  cache=$(cd "$cache" && pwd)
  exec 9>"$cache/lock"
  flock -w 1800 9 || die "another prepare of $cache did not finish"
  if { [ ! -f "$cache/vmlinux" ] && [ ! -f "$cache/vmlinuz" ]; } || [ ! -f "$cache/busybox" ] ||
    ! grep -qx ".* ${modules[*]}" "$cache/kernel" 2>/dev/null; then
    fetch
  fi
  local want
  want=$(cat "$init" "${BASH_SOURCE[0]}" "$cache/kernel" | sha256sum | cut -c1-64)
  if [ ! -f "$cache/initrd.img" ] || [ "$(cat "$cache/initrd.stamp" 2>/dev/null)" != "$want" ]; then
    local root
    root=$(mktemp -d "$cache/initrd.XXXXXX")
    mkdir -p "$root"/{bin,dev,proc,sys,lib/modules}
    cp "$cache/busybox" "$root/bin/busybox"
    ln -s busybox "$root/bin/sh"
    cp "$init" "$root/init"
    chmod 755 "$root/init" "$root/bin/busybox"
    cp "$cache"/modules/* "$root/lib/modules/"
    (cd "$root" && find . | "$cache/busybox" cpio -o -H newc 2>/dev/null | gzip -1) \
      >"$cache/initrd.img.new" || die "cannot build the initramfs"
    mv "$cache/initrd.img.new" "$cache/initrd.img"
    echo "$want" >"$cache/initrd.stamp"
    rm -rf "$root"
  fi
  exec 9>&-
}

run() {
  local job qemu_rc=0 rc share shares=() devices=()
  IFS=: read -ra shares <<<"$1"
  shift
  [ $# -gt 0 ] || die "no command given"
  for share in "${shares[@]}"; do [ -d "$share" ] || die "no folder $share"; done
  # Sorted, so that a folder is mounted before the folders inside it.
  mapfile -t shares < <(for share in "${shares[@]}"; do (cd "$share" && pwd -P); done | sort -u)
  local i
  for i in "${!shares[@]}"; do
    devices+=(-virtfs "local,path=${shares[$i]//,/,,},mount_tag=share$i,security_model=none,multidevs=remap")
  done
  command -v qemu-system-x86_64 >/dev/null || die "qemu-system-x86_64 missing (package qemu-system-x86)"
  prepare
  local kernel=$cache/vmlinux
  [ -f "$kernel" ] || kernel=$cache/vmlinuz

  job=$(mktemp -d "${TMPDIR:-/tmp}/x86vm.XXXXXX")
  trap 'rm -rf "$job"' EXIT
  printf '%s\n' "${shares[@]}" >"$job/shares"
  # Sparse: the disk costs this machine only what the guest writes.
  truncate -s "${TALO_VM_SCRATCH:-8G}" "$job/scratch.img" &&
    mkfs.ext4 -q -F -E lazy_itable_init=1,lazy_journal_init=1 "$job/scratch.img" ||
    die "cannot make the scratch disk"
  {
    echo 'export PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin'
    echo 'export HOME=/root USER=root LOGNAME=root SHELL=/bin/bash LANG=C.UTF-8'
    local v
    for v in CI CTEST_ARGS $(compgen -e | grep '^TALO_' || true); do
      [ -z "${!v+set}" ] || printf 'export %s=%q\n' "$v" "${!v}"
    done
    printf 'cd -- %q || exit 125\n' "$(pwd -P)"
    # exec: a command killed by a signal is reported by its exit code alone, not by this script.
    printf 'exec'
    printf ' %q' "$@"
    echo
  } >"$job/job"

  # -cpu max,-smap: with SMAP the guest kernel kills every 32-bit process.
  # mitigations=off: a throwaway machine, where those workarounds only slow the emulation.
  # tsc=reliable: the emulated CPUs' TSCs look unsynchronized, and the fallback clock (HPET)
  # makes every clock read an emulated device access.
  # The kernel's console goes to a log shown only when the guest fails; the second serial port
  # carries CMD's output. multidevs=remap: the host's root spans several filesystems (the guest
  # sees those mounted below / as well), whose inode numbers must not collide in the guest.
  timeout --foreground -k 10 "${TALO_VM_TIMEOUT:-3600}" qemu-system-x86_64 \
    -nodefaults -no-user-config -display none -no-reboot \
    -accel tcg,thread=multi -cpu max,-smap -smp 2 -m "${TALO_VM_MEMORY:-6G}" \
    -kernel "$kernel" -initrd "$cache/initrd.img" \
    -append "console=ttyS0 quiet loglevel=3 panic=-1 mitigations=off tsc=reliable" \
    -serial "file:$job/console.log" -serial stdio \
    -virtfs "local,path=/,mount_tag=root,security_model=none,readonly=on,multidevs=remap" \
    "${devices[@]}" \
    -virtfs "local,path=${job//,/,,},mount_tag=job,security_model=none" \
    -drive "file=${job//,/,,}/scratch.img,if=virtio,format=raw,cache=unsafe" \
    </dev/null || qemu_rc=$?

  if rc=$(cat "$job/rc" 2>/dev/null) && [ -n "$rc" ]; then
    exit "$rc"
  fi
  if [ "$qemu_rc" = 124 ]; then
    echo "x86vm: timed out after ${TALO_VM_TIMEOUT:-3600} s (TALO_VM_TIMEOUT)" >&2
  else
    echo "x86vm: the guest did not report an exit code (qemu exit $qemu_rc); its console:" >&2
  fi
  tail -n 40 "$job/console.log" >&2 2>/dev/null || true
  exit 125
}

[ $# -ge 2 ] || die "usage: x86vm.sh prepare CACHE_DIR | run CACHE_DIR SHARE_DIR COMMAND..."
action=$1 cache=$2
shift 2
case $action in
  prepare) prepare ;;
  run) run "$@" ;;
  *) die "unknown action $action" ;;
esac
