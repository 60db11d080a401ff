# Sourced by the end-to-end scripts that play over the network.
# free_loopback_port: prints a port on 127.0.0.1 that nothing answers on; fails after 50 tries.
free_loopback_port() {
  local candidate
  for _ in $(seq 50); do
    candidate=$((20000 + RANDOM % 40000))
    if ! (exec 3<>"/dev/tcp/127.0.0.1/$candidate") 2>/dev/null; then
      echo "$candidate"
      return 0
    fi
  done
  return 1
}
