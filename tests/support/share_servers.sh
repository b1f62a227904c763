#!/usr/bin/env bash
# A shared folder as schools have one, for the share test: a server on loopback and two mounts
# of its folder, one per "machine". Everything lives in the work folder given, with private
# configurations; nothing of the system's own servers is used or changed.
#
#   share_servers.sh start smb|sshfs|sshfs-nocache <work folder>
#   share_servers.sh start sshfs-delayed <work folder> <delay ms> <delay proxy program>
#       prints three lines: the server's own folder, then the folder as each mount shows it;
#       exits 77 with the reason on stderr when this machine cannot run the servers.
#       sshfs-delayed puts the proxy (bench/delay_proxy.cpp) between the mounts and the server,
#       adding the delay to every packet each way
#   share_servers.sh remount <work folder>
#       mounts the sshfs mounts again, so that nothing read before is cached
#   share_servers.sh stop <work folder>
set -uo pipefail

skip() {
    echo "$*" >&2
    exit 77
}

free_port() {
    local port
    for port in $(shuf -i 20000-60000 -n 50); do
        if ! ss -Hltn "sport = :$port" | grep -q .; then
            echo "$port"
            return
        fi
    done
    echo "no free port" >&2
    exit 1
}

# Waits until `ls <folder>` works, for at most 20 s.
wait_for() {
    local i
    for i in $(seq 200); do
        ls "$1" >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    echo "$1 did not come up" >&2
    return 1
}

wait_for_port() {
    local i
    for i in $(seq 100); do
        ss -Hltn "sport = :$1" | grep -q . && return 0
        sleep 0.1
    done
}

start_smb() {
    local work="$1" port
    command -v smbd >/dev/null && command -v smbnetfs >/dev/null ||
        skip "samba or smbnetfs is not installed"
    port=$(free_port)
    mkdir -p "$work/server" "$work/samba"/{private,lock,state,cache,run}
    chmod 777 "$work/server"
    cat >"$work/samba/smb.conf" <<EOF
[global]
  server role = standalone server
  interfaces = lo
  bind interfaces only = yes
  smb ports = $port
  disable netbios = yes
  map to guest = Bad User
  guest account = root
  private dir = $work/samba/private
  lock directory = $work/samba/lock
  state directory = $work/samba/state
  cache directory = $work/samba/cache
  pid directory = $work/samba/run
  ncalrpc dir = $work/samba/run/ncalrpc
  log file = $work/samba/log
  load printers = no
  printcap name = /dev/null
  disable spoolss = yes
[kalidor]
  path = $work/server
  read only = no
  guest ok = yes
  force user = root
EOF
    # A session of its own: on its way out the server signals its whole process group.
    setsid smbd --foreground --no-process-group -s "$work/samba/smb.conf" \
        >"$work/samba/out" 2>&1 &
    echo $! >"$work/server.pid"
    wait_for_port "$port"
    local machine
    for machine in a b; do
        mkdir -p "$work/$machine/home/.smb" "$work/$machine/mount"
        printf '[global]\n  client min protocol = SMB2\n' >"$work/$machine/home/.smb/smb.conf"
        printf 'auth "guest" ""\n' >"$work/$machine/home/.smb/smbnetfs.conf"
        chmod 600 "$work/$machine/home/.smb/smbnetfs.conf"
        # The port is part of the host's name: libsmbclient's own settings have none.
        (cd "$work/$machine/home" && HOME="$work/$machine/home" smbnetfs "$work/$machine/mount" \
            -o "config=$work/$machine/home/.smb/smbnetfs.conf") || return 1
        echo "$work/$machine/mount" >>"$work/mounts"
        wait_for "$work/$machine/mount/127.0.0.1:$port/kalidor" || return 1
    done
    echo "$work/server"
    echo "$work/a/mount/127.0.0.1:$port/kalidor"
    echo "$work/b/mount/127.0.0.1:$port/kalidor"
}

# Mounts the server's folder as machine <machine> sees it, through <port>.
mount_sshfs() {
    local work="$1" machine="$2" port="$3" options="$4"
    sshfs -p "$port" "root@127.0.0.1:$work/server" "$work/$machine/mount" \
        -o "IdentityFile=$work/ssh/client,StrictHostKeyChecking=no" \
        -o "UserKnownHostsFile=/dev/null,BatchMode=yes,LogLevel=ERROR$options" || return 1
    wait_for "$work/$machine/mount"
}

start_sshfs() {
    local work="$1" options="$2" delay="${3:-}" proxy="${4:-}" port
    command -v sshd >/dev/null || [ -x /usr/sbin/sshd ] || skip "openssh-server is not installed"
    command -v sshfs >/dev/null || skip "sshfs is not installed"
    port=$(free_port)
    mkdir -p "$work/server" "$work/ssh" /run/sshd
    ssh-keygen -q -t ed25519 -N '' -f "$work/ssh/host" || return 1
    ssh-keygen -q -t ed25519 -N '' -f "$work/ssh/client" || return 1
    cp "$work/ssh/client.pub" "$work/ssh/authorized_keys"
    cat >"$work/ssh/sshd_config" <<EOF
Port $port
ListenAddress 127.0.0.1
HostKey $work/ssh/host
AuthorizedKeysFile $work/ssh/authorized_keys
PasswordAuthentication no
KbdInteractiveAuthentication no
PermitRootLogin prohibit-password
StrictModes no
UsePAM no
Subsystem sftp internal-sftp
EOF
    setsid /usr/sbin/sshd -D -e -f "$work/ssh/sshd_config" >"$work/ssh/log" 2>&1 &
    echo $! >"$work/server.pid"
    wait_for_port "$port"
    if [ -n "$proxy" ]; then
        local target="$port"
        port=$(free_port)
        setsid "$proxy" "$port" "$target" "$delay" >"$work/proxy.log" 2>&1 &
        echo $! >"$work/proxy.pid"
        wait_for_port "$port"
    fi
    echo "$port $options" >"$work/sshfs.args"
    local machine
    for machine in a b; do
        mkdir -p "$work/$machine/mount"
        echo "$work/$machine/mount" >>"$work/mounts"
        mount_sshfs "$work" "$machine" "$port" "$options" || return 1
    done
    echo "$work/server"
    echo "$work/a/mount"
    echo "$work/b/mount"
}

remount() {
    local work="$1" port options machine
    read -r port options <"$work/sshfs.args" || return 1
    for machine in a b; do
        fusermount3 -u "$work/$machine/mount" || return 1
        mount_sshfs "$work" "$machine" "$port" "$options" || return 1
    done
}

stop() {
    local work="$1" mount
    if [ -f "$work/mounts" ]; then
        while read -r mount; do
            fusermount3 -u -z "$mount" 2>/dev/null || umount -l "$mount" 2>/dev/null
        done <"$work/mounts"
        rm -f "$work/mounts"
    fi
    # The server and its per-connection children: the session it leads; then the proxy.
    local pidfile
    for pidfile in "$work/server.pid" "$work/proxy.pid"; do
        if [ -f "$pidfile" ]; then
            kill -TERM -- "-$(cat "$pidfile")" 2>/dev/null
            rm -f "$pidfile"
        fi
    done
    return 0
}

case "${1:-}" in
start)
    [ "$(id -u)" -eq 0 ] || skip "the share test needs root: it starts its own servers"
    [ -c /dev/fuse ] || skip "FUSE is missing (/dev/fuse): no share can be mounted"
    command -v fusermount3 >/dev/null || skip "fuse3 is not installed"
    mkdir -p "$3"
    case "$2" in
    smb) start_smb "$3" ;;
    sshfs) start_sshfs "$3" "" ;;
    sshfs-nocache) start_sshfs "$3" ",dir_cache=no" ;;
    sshfs-delayed)
        [ -x "${5:-}" ] || { echo "no delay proxy program: ${5:-}" >&2; exit 2; }
        start_sshfs "$3" "" "${4:-1}" "$5"
        ;;
    *) echo "unknown share: $2" >&2; exit 2 ;;
    esac
    status=$?
    [ $status -eq 0 ] || stop "$3"
    exit $status
    ;;
remount) remount "$2" ;;
stop) stop "$2" ;;
*)
    echo "usage: $0 start smb|sshfs|sshfs-nocache <folder>" \
        "| start sshfs-delayed <folder> <delay ms> <proxy> | remount <folder> | stop <folder>" >&2
    exit 2
    ;;
esac
