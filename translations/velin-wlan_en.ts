<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_GB">
<context>
    <name></name>
    <message id="qtn_comm_cancel">
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message id="qtn_comm_ok">
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message id="qtn_conn_ad_hoc">
        <source>Ad hoc</source>
        <translation>Ad hoc</translation>
    </message>
    <message id="qtn_conn_adhoc_automatic">
        <source>Automatic</source>
        <translation>Automatic</translation>
    </message>
    <message id="qtn_conn_adv_other">
        <source>Other settings</source>
        <translation>Other settings</translation>
    </message>
    <message id="qtn_conn_advanced">
        <source>Advanced settings</source>
        <translation>Advanced settings</translation>
    </message>
    <message id="qtn_conn_change_msc_title">
        <source>Change password</source>
        <translation>Change password</translation>
    </message>
    <message id="qtn_conn_connect">
        <source>Connect</source>
        <translation>Connect</translation>
    </message>
    <message id="qtn_conn_connect_to_dialog_title">
        <source>Connect to %1</source>
        <translation>Connect to %1</translation>
    </message>
    <message id="qtn_conn_connection_name">
        <source>Connection name</source>
        <translation>Connection name</translation>
    </message>
    <message id="qtn_conn_create_new">
        <source>Create new connection</source>
        <translation>Create new connection</translation>
    </message>
    <message id="qtn_conn_default_wep_key">
        <source>Default WEP key</source>
        <translation>Default WEP key</translation>
    </message>
    <message id="qtn_conn_eap_gtc">
        <source>EAP-GTC</source>
        <translation>EAP-GTC</translation>
    </message>
    <message id="qtn_conn_eap_method">
        <source>EAP method</source>
        <translation>EAP method</translation>
    </message>
    <message id="qtn_conn_eap_mschapv2">
        <source>EAP-MSCHAPv2</source>
        <translation>EAP-MSCHAPv2</translation>
    </message>
    <message id="qtn_conn_eap_peap">
        <source>PEAP</source>
        <translation>PEAP</translation>
    </message>
    <message id="qtn_conn_eap_tls">
        <source>TLS</source>
        <translation>TLS</translation>
    </message>
    <message id="qtn_conn_eap_ttls">
        <source>TTLS</source>
        <translation>TTLS</translation>
    </message>
    <message id="qtn_conn_eap_type">
        <source>EAP type</source>
        <translation>EAP type</translation>
    </message>
    <message id="qtn_conn_edit_wlan">
        <source>Edit WLAN connection</source>
        <translation>Edit WLAN connection</translation>
    </message>
    <message id="qtn_conn_error_at_least_8_chars">
        <source>Enter at least 8 characters</source>
        <translation>Enter at least 8 characters</translation>
    </message>
    <message id="qtn_conn_error_enter_ssid">
        <source>Enter the network name</source>
        <translation>Enter the network name</translation>
    </message>
    <message id="qtn_conn_error_ic_empty_name">
        <source>Enter a connection name</source>
        <translation>Enter a connection name</translation>
    </message>
    <message id="qtn_conn_error_ic_failed_network">
        <source>Could not connect to the network</source>
        <translation>Could not connect to the network</translation>
    </message>
    <message id="qtn_conn_error_incorrect_old_password">
        <source>The old password is not correct</source>
        <translation>The old password is not correct</translation>
    </message>
    <message id="qtn_conn_error_invalid_chars_wep">
        <source>A hexadecimal WEP key can contain only 0-9 and A-F</source>
        <translation>A hexadecimal WEP key can contain only 0-9 and A-F</translation>
    </message>
    <message id="qtn_conn_error_invalid_wep_length">
        <source>A WEP key must be 5 or 13 characters, or 10 or 26 hexadecimal digits</source>
        <translation>A WEP key must be 5 or 13 characters, or 10 or 26 hexadecimal digits</translation>
    </message>
    <message id="qtn_conn_error_max_char">
        <source>Maximum number of characters reached</source>
        <translation>Maximum number of characters reached</translation>
    </message>
    <message id="qtn_conn_error_only_ascii">
        <source>Only basic Latin characters are allowed</source>
        <translation>Only basic Latin characters are allowed</translation>
    </message>
    <message id="qtn_conn_error_password_match">
        <source>The new passwords do not match</source>
        <translation>The new passwords do not match</translation>
    </message>
    <message id="qtn_conn_error_ssid_not_found">
        <source>Network not found</source>
        <translation>Network not found</translation>
    </message>
    <message id="qtn_conn_forget">
        <source>Forget connection</source>
        <translation>Forget connection</translation>
    </message>
    <message id="qtn_conn_info_automatically">
        <source>Connects automatically when in range</source>
        <translation>Connects automatically when in range</translation>
    </message>
    <message id="qtn_conn_info_manually">
        <source>Connects only when you choose it</source>
        <translation>Connects only when you choose it</translation>
    </message>
    <message id="qtn_conn_infrastructure">
        <source>Infrastructure</source>
        <translation>Infrastructure</translation>
    </message>
    <message id="qtn_conn_manual_user_name">
        <source>Use manual user name</source>
        <translation>Use manual user name</translation>
    </message>
    <message id="qtn_conn_mschapv2">
        <source>MSCHAPv2</source>
        <translation>MSCHAPv2</translation>
    </message>
    <message id="qtn_conn_network_mode">
        <source>Network mode</source>
        <translation>Network mode</translation>
    </message>
    <message id="qtn_conn_network_name">
        <source>Network name (SSID)</source>
        <translation>Network name (SSID)</translation>
    </message>
    <message id="qtn_conn_new_password">
        <source>New password</source>
        <translation>New password</translation>
    </message>
    <message id="qtn_conn_none">
        <source>None</source>
        <translation>None</translation>
    </message>
    <message id="qtn_conn_other">
        <source>Hidden network</source>
        <translation>Hidden network</translation>
    </message>
    <message id="qtn_conn_password">
        <source>Password</source>
        <translation>Password</translation>
    </message>
    <message id="qtn_conn_prompt_password">
        <source>Ask password when connecting</source>
        <translation>Ask password when connecting</translation>
    </message>
    <message id="qtn_conn_require_client_auth">
        <source>Server requires client authentication</source>
        <translation>Server requires client authentication</translation>
    </message>
    <message id="qtn_conn_response">
        <source>Response</source>
        <translation>Response</translation>
    </message>
    <message id="qtn_conn_response_title">
        <source>Message from the server</source>
        <translation>Message from the server</translation>
    </message>
    <message id="qtn_conn_security">
        <source>Security</source>
        <translation>Security</translation>
    </message>
    <message id="qtn_conn_security_method">
        <source>Security method</source>
        <translation>Security method</translation>
    </message>
    <message id="qtn_conn_select_certificate">
        <source>Client certificate</source>
        <translation>Client certificate</translation>
    </message>
    <message id="qtn_conn_select_client_cert">
        <source>User certificate</source>
        <translation>User certificate</translation>
    </message>
    <message id="qtn_conn_select_root_cert">
        <source>Root certificate</source>
        <translation>Root certificate</translation>
    </message>
    <message id="qtn_conn_sic_other_title">
        <source>Hidden network</source>
        <translation>Hidden network</translation>
    </message>
    <message id="qtn_conn_sic_title">
        <source>Join network</source>
        <translation>Join network</translation>
    </message>
    <message id="qtn_conn_sic_wps_pin_title">
        <source>Wi-Fi Protected Setup with PIN</source>
        <translation>Wi-Fi Protected Setup with PIN</translation>
    </message>
    <message id="qtn_conn_sic_wps_title">
        <source>Wi-Fi Protected Setup</source>
        <translation>Wi-Fi Protected Setup</translation>
    </message>
    <message id="qtn_conn_ssid">
        <source>Network name (SSID)</source>
        <translation>Network name (SSID)</translation>
    </message>
    <message id="qtn_conn_use_automatically">
        <source>Use automatically</source>
        <translation>Use automatically</translation>
    </message>
    <message id="qtn_conn_username">
        <source>User name</source>
        <translation>User name</translation>
    </message>
    <message id="qtn_conn_username_username">
        <source>User name: %1</source>
        <translation>User name: %1</translation>
    </message>
    <message id="qtn_conn_verify_password">
        <source>Verify new password</source>
        <translation>Verify new password</translation>
    </message>
    <message id="qtn_conn_wapi_cert">
        <source>WAPI with certificates</source>
        <translation>WAPI with certificates</translation>
    </message>
    <message id="qtn_conn_wapi_psk">
        <source>WAPI pre-shared key</source>
        <translation>WAPI pre-shared key</translation>
    </message>
    <message id="qtn_conn_wapi_psk_ascii">
        <source>ASCII</source>
        <translation>ASCII</translation>
    </message>
    <message id="qtn_conn_wapi_psk_hex">
        <source>Hexadecimal</source>
        <translation>Hexadecimal</translation>
    </message>
    <message id="qtn_conn_wapi_psk_type">
        <source>Key format</source>
        <translation>Key format</translation>
    </message>
    <message id="qtn_conn_wep">
        <source>WEP</source>
        <translation>WEP</translation>
    </message>
    <message id="qtn_conn_wep_key">
        <source>WEP key</source>
        <translation>WEP key</translation>
    </message>
    <message id="qtn_conn_wep_key_1_4">
        <source>WEP key %1</source>
        <translation>WEP key %1</translation>
    </message>
    <message id="qtn_conn_wep_keys">
        <source>WEP keys</source>
        <translation>WEP keys</translation>
    </message>
    <message id="qtn_conn_wlan_adhoc_channel">
        <source>Ad hoc channel</source>
        <translation>Ad hoc channel</translation>
    </message>
    <message id="qtn_conn_wpa2_only">
        <source>WPA2 only</source>
        <translation>WPA2 only</translation>
    </message>
    <message id="qtn_conn_wpa_eap">
        <source>WPA with EAP</source>
        <translation>WPA with EAP</translation>
    </message>
    <message id="qtn_conn_wpa_eap_type">
        <source>EAP type</source>
        <translation>EAP type</translation>
    </message>
    <message id="qtn_conn_wpa_pre_shared">
        <source>WPA pre-shared key</source>
        <translation>WPA pre-shared key</translation>
    </message>
    <message id="qtn_conn_wpapsk">
        <source>WPA pre-shared key</source>
        <translation>WPA pre-shared key</translation>
    </message>
    <message id="qtn_conn_wps_info1">
        <source>This network offers Wi-Fi Protected Setup. Choose how to set it up:</source>
        <translation>This network offers Wi-Fi Protected Setup. Choose how to set it up:</translation>
    </message>
    <message id="qtn_conn_wps_info2">
        <source>Or set up the connection in the usual way:</source>
        <translation>Or set up the connection in the usual way:</translation>
    </message>
    <message id="qtn_conn_wps_instruction">
        <source>Press the Wi-Fi Protected Setup button on the access point, then tap Connect.</source>
        <translation>Press the Wi-Fi Protected Setup button on the access point, then tap Connect.</translation>
    </message>
    <message id="qtn_conn_wps_pin">
        <source>PIN code</source>
        <translation>PIN code</translation>
    </message>
    <message id="qtn_conn_wps_pin_instruction">
        <source>Enter this PIN code on the access point:</source>
        <translation>Enter this PIN code on the access point:</translation>
    </message>
    <message id="qtn_conn_wps_push_button">
        <source>Push button</source>
        <translation>Push button</translation>
    </message>
    <message id="qtn_conn_wps_skipping">
        <source>Skip</source>
        <translation>Skip</translation>
    </message>
</context>
</TS>
