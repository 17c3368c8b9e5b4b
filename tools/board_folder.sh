# Sourced by the scripts that run Corvane against corvane-board: writes a program folder's
# prog.cfg and settings.cfg as the setup and calibration dialogs write them (CR LF line
# ends), logging from the start, with the calibration that reads the board's frames.
#
#   write_board_config FOLDER PORT INTERVAL SYSTEM_VOLTS BAUD
write_board_config() {
  local folder=$1 port=$2 interval=$3 sv=$4 baud=$5
  sed 's/$/\r/' > "$folder/prog.cfg" <<EOF
Program Config File

<Port>$port</Port>
<Savehtml>0</Savehtml>
<SaveExcel>0</SaveExcel>
<LogDelay>$interval</LogDelay>
<LogOn>1</LogOn>
<DisplayRPM>1</DisplayRPM>
<DisplayWS>1</DisplayWS>
<WSUnits>km/h</WSUnits>
<SV>$sv</SV>
<MA>20</MA>
<BR>$baud</BR>
<dispMessages>1</dispMessages>

EOF
  sed 's/$/\r/' > "$folder/settings.cfg" <<EOF
Calibration Settings


<VoltDivider>30</VoltDivider>
<VoltOffset>512</VoltOffset>
<AmpDivider>10</AmpDivider>
<RPMDivider>14</RPMDivider>
<WSDivider>2</WSDivider>
EOF
}

# Writes a web.cfg with the page on, on this box only.
#
#   write_web_config FOLDER PORT
write_web_config() {
  local folder=$1 port=$2
  sed 's/$/\r/' > "$folder/web.cfg" <<EOF
Web Settings

<Enabled>1</Enabled>
<Address>127.0.0.1</Address>
<Port>$port</Port>
<User></User>
<Password></Password>
<CertFile></CertFile>
<KeyFile></KeyFile>
EOF
}
